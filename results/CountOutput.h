// A count's output: the scan's result in the chosen format (the table, the dialog's report,
// JSON, CSV, HTML, Markdown, YAML, XML, SQL or OpenMetrics), with the choices that shape it.
//
// Functions of the thread that owns the result and the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/CostEstimate.h"
#include "results/OutputFormat.h"
#include "results/RowGrouping.h"
#include "results/RowOrder.h"
#include "results/TextOut.h"
#include "scan/CountSettings.h"
#include "scan/ScanResult.h"

namespace lintally::results {

struct CountOutputOptions
{
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;
    SortKey sort = SortKey::Default;
    std::size_t top = 0;             // 0: every row
    std::vector<std::string> roots;  // at least one; the report and JSON name the first
    scan::CountSettings settings;    // as JSON lists them
    std::string revision;            // for a count of a revision: its name and commit
    std::string commit;
    // With the table, Markdown, JSON and YAML: the cost estimate from the code lines.
    std::optional<CostInputs> cost{};
};

// What was left out, by reason ("2 binary files, 1 unreadable folder"); empty when nothing was.
[[nodiscard]] std::string SkipSummary(const scan::ScanResult& result);

// Writes the output to text as it goes. result's rows and groups may be reordered and cut
// by the sort and top; a second call writes the same text again. XML needs one row per
// file; the others take rows or groups as the grouping says.
void WriteCountOutput(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text);

}  // namespace lintally::results
