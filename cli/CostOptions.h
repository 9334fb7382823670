// The count's cost estimate on the command line: --cost asks for it, --salary and
// --overhead give its inputs (see results/CostEstimate.h for the model).
//
// Plain values and functions; used by main's thread only.
#pragma once

#include <optional>
#include <string>

#include "results/CostEstimate.h"
#include "results/OutputFormat.h"

namespace CLI {
class App;
}

namespace lintally::cli {

struct CostChoices
{
    bool asked = false;
    results::CostInputs inputs;

    // The inputs when the estimate was asked for.
    [[nodiscard]] std::optional<results::CostInputs> Wanted() const
    {
        return asked ? std::optional(inputs) : std::nullopt;
    }
};

// --cost, --salary N, --overhead X.
void DefineCostOptions(CLI::App& app, CostChoices& cost);

// What is wrong with the choices for the format, or an empty text.
[[nodiscard]] std::string CheckCostOptions(const CLI::App& app, const CostChoices& cost,
                                           results::OutputFormat format);

}  // namespace lintally::cli
