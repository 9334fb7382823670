// A diff as an HTML page: code added and removed per language as bars each side of a middle
// line, the files that changed most the same way, key figures, and a sortable table of the
// rows the report lists.
//
// A function of the thread that owns the report and the text.
#pragma once

#include "results/DiffReport.h"
#include "results/TextOut.h"

namespace lintally::results {

void WriteDiffHtml(const DiffReport& report, TextOut& text);

}  // namespace lintally::results
