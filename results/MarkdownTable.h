// The pieces of a GitHub-flavoured Markdown table: cells escaped so a name shows as the
// table for people shows it, rows between pipes, the rule that right-aligns every column
// after the first, and the bold total row.
//
// Pure functions; any thread may call them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lintally::results {

// name with its control bytes escaped as the table escapes them, then every character
// Markdown would read as markup or as a cell's end (| \ ` * _ <) behind a backslash.
[[nodiscard]] std::string MarkdownCell(std::string_view name);

// Appends "| a | b |" and a line end.
void AppendMarkdownRow(std::string& out, const std::vector<std::string>& cells);

// Appends the line under the heading: the first column left-aligned, the others right-aligned.
void AppendMarkdownRule(std::string& out, std::size_t columns);

// cells in bold; an empty cell stays empty.
[[nodiscard]] std::vector<std::string> MarkdownBold(std::vector<std::string> cells);

}  // namespace lintally::results
