// A count as an HTML page: code by language as bars, code by folder as a treemap, key
// figures, and a sortable table of the rows --by asks for (languages by default).
//
// A function of the thread that owns the result and the text.
#pragma once

#include "results/CountOutput.h"

namespace lintally::results {

// result must hold one row per file: the charts sum them. Its rows may then be reordered
// and cut by the sort and top, when the table lists files.
void WriteCountHtml(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text);

}  // namespace lintally::results
