#include "results/CostEstimate.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "results/FormatThousands.h"

namespace lintally::results {

namespace {

constexpr double kMonthsPerYear = 12;

// x to two decimals; room for the largest double written out whole.
std::string Decimal(double x)
{
    char digits[400];
    const auto written = std::to_chars(digits, std::end(digits), x, std::chars_format::fixed, 2);
    return std::string(digits, written.ptr);
}

// x rounded; past the largest signed 64-bit number (which llround cannot give), that number.
std::int64_t Rounded(double x)
{
    constexpr double kLimit = 9.2e18;
    return x < kLimit ? std::llround(x) : std::numeric_limits<std::int64_t>::max();
}

std::string Whole(double x)
{
    return FormatThousands(Rounded(x));
}

}  // namespace

std::string ShortestDecimal(double x)
{
    char digits[64];
    const auto written = std::to_chars(digits, std::end(digits), x);
    return std::string(digits, written.ptr);
}

CostEstimate EstimateCost(std::uint64_t codeLines, const CostInputs& inputs)
{
    CostEstimate estimate;
    estimate.code = codeLines;
    estimate.inputs = inputs;
    if (codeLines == 0) {
        return estimate;
    }
    const double kloc = static_cast<double>(codeLines) / 1000;
    estimate.effort = 2.4 * std::pow(kloc, 1.05);
    estimate.schedule = 2.5 * std::pow(estimate.effort, 0.38);
    estimate.people = estimate.effort / estimate.schedule;
    estimate.cost =
        estimate.effort * static_cast<double>(inputs.salary) / kMonthsPerYear * inputs.overhead;
    return estimate;
}

void AppendCostJson(std::string& out, const CostEstimate& estimate)
{
    out.append(", \"cost\": {\"model\": \"basic COCOMO, organic\", \"code\": ")
        .append(std::to_string(estimate.code));
    out.append(", \"effort_months\": ").append(Decimal(estimate.effort));
    out.append(", \"schedule_months\": ").append(Decimal(estimate.schedule));
    out.append(", \"people\": ").append(Decimal(estimate.people));
    out.append(", \"cost\": ").append(std::to_string(Rounded(estimate.cost)));
    out.append(", \"salary\": ").append(std::to_string(estimate.inputs.salary));
    out.append(", \"overhead\": ").append(ShortestDecimal(estimate.inputs.overhead)).append("}");
}

std::string FormatCost(const CostEstimate& estimate, const char* prefix)
{
    std::string text = "Estimate (basic COCOMO, organic mode) from " +
                       Whole(static_cast<double>(estimate.code)) + " code lines:\n";
    const std::string lines[] = {
        "Effort: " + Decimal(estimate.effort) + " person-months",
        "Schedule: " + Decimal(estimate.schedule) + " months",
        "People: " + Decimal(estimate.people),
        "Cost: " + Whole(estimate.cost) + " (yearly salary " +
            Whole(static_cast<double>(estimate.inputs.salary)) + ", overhead " +
            ShortestDecimal(estimate.inputs.overhead) + ")",
    };
    for (const std::string& line : lines) {
        text.append(prefix).append(line).append("\n");
    }
    return text;
}

}  // namespace lintally::results
