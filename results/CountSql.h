// A count as SQL that sqlite3 runs: one transaction that creates the table when it is not
// there and inserts a row a file (or a group), so several counts can go into one database.
//   lintally_files (root, name, name_bytes, language, lines, code, comment, blank, physical)
//   lintally_groups (root, grouping, name, files, lines, code, comment, blank, physical)
// lines are those that count under the count's options, physical every line. Texts are
// UTF-8 in single quotes, a quote doubled; a control character or hidden mark is joined in
// as char(n), so the exact text is stored and nothing raw reaches a terminal showing the
// SQL. name_bytes holds a name's bytes when they are not UTF-8 (its text then has U+FFFD),
// NULL otherwise.
//
// Pure functions; any thread may call them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/TextOut.h"
#include "scan/Grouping.h"
#include "scan/RowList.h"

namespace lintally::results {

// An SQL expression giving text: a quoted literal, or several joined by || with char(n).
[[nodiscard]] std::string SqlText(std::string_view text);

void WriteFilesSql(TextOut& text, std::string_view root, const scan::RowList& rows);
void WriteGroupsSql(TextOut& text, std::string_view root, std::string_view grouping,
                    const std::vector<scan::GroupRow>& groups);

}  // namespace lintally::results
