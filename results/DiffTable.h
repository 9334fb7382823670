// The diff's table for people: two heading lines (what each group of columns holds, then its
// columns), one line per group or file, a rule, the total and a line on the files. When the
// report's format is Markdown: the same cells as a GitHub-flavoured table (each column's
// heading after its group's), the total row in bold, and the line on the files under it.
//
// Functions of the thread that owns the report and the text.
#pragma once

#include "results/DiffReport.h"
#include "results/TextOut.h"

namespace lintally::results {

// Written to text as it goes.
void WriteDiffTable(TextOut& text, const DiffReport& report);

}  // namespace lintally::results
