// The diff's table for people: two heading lines (what each group of columns holds, then its
// columns), one line per group or file, a rule, the total and a line on the files.
//
// Functions of main's thread.
#pragma once

#include "cli/DiffOutput.h"

namespace lintally::cli {

// Written to text as it goes.
void WriteDiffTable(results::TextOut& text, const RowGrouping& by, const DiffReport& report);

}  // namespace lintally::cli
