// What writing the counted code might have cost, by the basic COCOMO model in its organic
// mode (a small team on familiar ground), from the code lines alone:
//   effort   = 2.4 * KLOC^1.05          person-months (KLOC: code lines / 1000)
//   schedule = 2.5 * effort^0.38        months
//   people   = effort / schedule
//   cost     = effort * salary / 12 * overhead
// salary is one developer's yearly pay and overhead what the employer pays on top of it
// (office, tools, management) as a factor. The model was fitted to projects of the 1970s;
// it knows nothing of the language, the tools or how the code was written, so its figures
// are an order of magnitude, not a quote.
//
// Plain values and pure functions; any thread may call them.
#pragma once

#include <cstdint>
#include <string>

namespace lintally::results {

struct CostInputs
{
    std::uint64_t salary = 80000;  // yearly, in whatever currency the figure is read in
    double overhead = 2.4;
};

struct CostEstimate
{
    std::uint64_t code = 0;
    double effort = 0;    // person-months
    double schedule = 0;  // months
    double people = 0;
    double cost = 0;
    CostInputs inputs;
};

[[nodiscard]] CostEstimate EstimateCost(std::uint64_t codeLines, const CostInputs& inputs);

// "cost": {"model": "basic COCOMO, organic", "code": n, "effort_months": x,
// "schedule_months": x, "people": x, "cost": n, "salary": n, "overhead": x}, after a comma;
// figures to two decimals, the cost a whole number.
void AppendCostJson(std::string& out, const CostEstimate& estimate);

// x in the fewest digits that give it back ("2.4").
[[nodiscard]] std::string ShortestDecimal(double x);

// The lines shown under a table, each behind prefix ("  ", or "- " for a Markdown list).
[[nodiscard]] std::string FormatCost(const CostEstimate& estimate, const char* prefix);

}  // namespace lintally::results
