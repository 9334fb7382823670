// The columns of a table for people: the first left-aligned, the others right-aligned after
// two spaces, each as wide as its widest cell (in the columns of a terminal, DisplayWidth),
// and the rule under them.
//
// Pure functions; any thread may call them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lintally::results {

// Appends one line of a table: the first column left-aligned, the others right-aligned
// after two spaces, each padded to its width.
void AppendColumns(std::string& out, const std::vector<std::string>& line,
                   const std::vector<std::size_t>& widths);
// Widens each column to hold the cell of line in it (widths holds one entry per column).
void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& line);
// A rule under the columns: their widths and the two spaces between each two.
[[nodiscard]] std::string RuleFor(const std::vector<std::size_t>& widths);

}  // namespace lintally::results
