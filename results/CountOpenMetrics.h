// A count as OpenMetrics text for dashboards: one gauge family a measure, one sample a
// group, the group's name as the label named for the grouping, and "# EOF" at the end:
//   # TYPE lintally_code_lines gauge
//   # HELP lintally_code_lines Code lines.
//   lintally_code_lines{language="C"} 123
// The families: lintally_files, lintally_counted_lines (the lines that count under the
// count's options), lintally_code_lines, lintally_comment_lines, lintally_blank_lines.
// Label values are shown as the table shows names (control characters as escapes), made
// valid UTF-8, then \ and " behind a backslash as the format asks.
//
// Pure functions; any thread may call them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/TextOut.h"
#include "scan/Grouping.h"

namespace lintally::results {

// text as the inside of a quoted label value.
[[nodiscard]] std::string OpenMetricsLabel(std::string_view text);

void WriteOpenMetrics(TextOut& text, std::string_view label,
                      const std::vector<scan::GroupRow>& groups);

}  // namespace lintally::results
