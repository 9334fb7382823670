// The table of a count for people: a header, one line per row or group, a rule and a total
// line, in aligned columns with thousands separators; LF line ends and a final newline. As
// Markdown: the same cells as a GitHub-flavoured table, the total row in bold.
//
// Functions of the thread that owns the result and the text.
#pragma once

#include "results/RowGrouping.h"
#include "results/TextOut.h"
#include "scan/CountSettings.h"
#include "scan/ScanResult.h"

namespace lintally::results {

// Lists result's groups, or its rows when by is per file (without the Files column; a file's
// embedded code on lines of its own after it); the total line covers every counted file. The
// Counted column is shown only when the settings make it differ from Lines, the Complexity
// column only when they ask for it. Written to text as it goes.
void WriteTable(TextOut& text, const RowGrouping& by, const scan::CountSettings& settings,
                const scan::ScanResult& result, bool markdown = false);

}  // namespace lintally::results
