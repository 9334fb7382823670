// The plain-text report of a scan, byte for byte as the dialog's Save writes it: CR LF
// after every line but the last, the root as given, one line per row (count in a
// ten-character column, then the name), and "Total: <total text>(<N> files)." at the end.
//
// Pure function; any thread may call it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/TextOut.h"
#include "scan/Row.h"
#include "scan/RowList.h"

namespace lintally::results {

// totalText is written as given (normally FormatThousands of the total). WriteReport writes
// to text as it goes; FormatReport gives the same text whole.
void WriteReport(TextOut& text, std::string_view root, const scan::RowList& rows,
                 std::string_view totalText);
[[nodiscard]] std::string FormatReport(std::string_view root, const std::vector<scan::Row>& rows,
                                       std::string_view totalText);

}  // namespace lintally::results
