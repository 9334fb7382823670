// The output of a diff: a table for people, JSON, CSV or an HTML page of charts, by group or
// by file, each with the totals.
//
// Functions of the thread that owns the report and the text.
#pragma once

#include "results/DiffReport.h"
#include "results/TextOut.h"

namespace lintally::results {

// Writes the report in its format to text as it goes.
void WriteDiff(const DiffReport& report, TextOut& text);

}  // namespace lintally::results
