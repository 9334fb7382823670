// The table for people: a header, one line per row or group, a rule and a total line, in
// aligned columns with thousands separators; LF line ends and a final newline.
//
// Functions of main's thread.
#pragma once

#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "results/TextOut.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// Appends one line of a table: the first column left-aligned, the others right-aligned
// after two spaces, each padded to its width.
void AppendColumns(std::string& out, const std::vector<std::string>& line,
                   const std::vector<std::size_t>& widths);
// Widens each column to hold the cell of line in it (widths holds one entry per column).
void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& line);
// A rule under the columns: their widths and the two spaces between each two.
[[nodiscard]] std::string RuleFor(const std::vector<std::size_t>& widths);

// Lists result's groups, or its rows when by is per file (without the Files column); the
// total line covers every counted file. Written to text as it goes.
void WriteTable(results::TextOut& text, const RowGrouping& by, const scan::ScanResult& result);

}  // namespace lintally::cli
