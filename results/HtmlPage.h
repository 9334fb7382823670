// A self-contained HTML page of charts over a sortable table, written as it is made: one
// file with its style, its script and its data inside, so it opens anywhere with no network.
//
// The data goes in as one JSON object: {"kind", "title", "subtitle", "facts": [[label, n,
// signed], ...], "charts": [chart, ...], "columns": [{"label", "num", "signed"}, ...],
// "rows": [[...], ...], "total": [...]}. A chart is {"chart": "bars" | "split" | "treemap" |
// "area", "title", ...} as HtmlCharts.h makes it; the page's script draws each kind.
//
// Owned by the thread that writes the text; the calls go in the order they are declared.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/TextOut.h"

namespace lintally::results {

// JSON text made safe inside a <script> element: '<', '>', '&', DEL, the C1 controls, U+2028
// and U+2029 within strings become \u escapes, and control bytes outside strings are
// dropped, so no "</script>" or "<!--" can end or bend the element. json must hold whole
// strings (never cut inside one).
[[nodiscard]] std::string ScriptSafeJson(std::string_view json);

struct HtmlColumn
{
    std::string label;
    bool number = false;
    bool signedNumber = false;  // shown with its sign, as a change
};

struct HtmlFact
{
    std::string label;
    std::int64_t value = 0;
    bool signedNumber = false;
};

class HtmlPage
{
public:
    // Writes the page's head, the title and subtitle (any bytes) and the key figures.
    HtmlPage(TextOut& text, std::string_view kind, std::string_view title,
             std::string_view subtitle, const std::vector<HtmlFact>& facts);

    // One chart, a JSON object from HtmlCharts.h.
    void AddChart(std::string_view chartJson);
    // Ends the charts; the table's rows follow.
    void StartTable(const std::vector<HtmlColumn>& columns);
    // One row: a JSON array of as many values as columns.
    void AddRow(std::string_view rowJson);
    // The table's total line (a JSON array, or empty for none) and the rest of the page.
    void Finish(std::string_view totalJson);

private:
    TextOut& m_text;
    bool m_first = true;
};

}  // namespace lintally::results
