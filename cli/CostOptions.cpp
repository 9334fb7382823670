#include "cli/CostOptions.h"

#include <CLI/CLI.hpp>

#include "cli/OptionChecks.h"

namespace lintally::cli {

namespace {

constexpr std::uint64_t kMostSalary = 1'000'000'000;
constexpr double kMostOverhead = 100;

using results::OutputFormat;

}  // namespace

void DefineCostOptions(CLI::App& app, CostChoices& cost)
{
    const results::CostInputs defaults;
    app.add_flag("--cost", cost.asked,
                 "estimate what writing the code cost, by the basic COCOMO model (organic mode) "
                 "from the code lines: effort = 2.4 * KLOC^1.05 person-months, schedule = 2.5 * "
                 "effort^0.38 months, people = effort / schedule, cost = effort * salary / 12 * "
                 "overhead; shown under the table (and Markdown), in JSON and YAML as \"cost\". "
                 "An order of magnitude only: the model, fitted to projects of the 1970s, knows "
                 "neither the language nor how the code was written");
    app.add_option_function<std::string>(
           "--salary",
           [&cost](const std::string& text) {
               cost.inputs.salary = *ParseWholeNumber(text, 1, kMostSalary);
           },
           "a developer's yearly pay for --cost, in any currency (default: " +
               std::to_string(defaults.salary) + ")")
        ->check(WholeNumber(1, kMostSalary))
        ->option_text("N");
    app.add_option_function<std::string>(
           "--overhead",
           [&cost](const std::string& text) {
               cost.inputs.overhead = *ParseDecimal(text, 0, kMostOverhead);
           },
           "what an employer pays per unit of salary, office and management included, for "
           "--cost (default: " +
               results::ShortestDecimal(defaults.overhead) + ")")
        ->check(DecimalNumber(0, kMostOverhead, "from 0 to 100"))
        ->option_text("X");
}

std::string CheckCostOptions(const CLI::App& app, const CostChoices& cost, OutputFormat format)
{
    if (!cost.asked) {
        return app.count("--salary") + app.count("--overhead") > 0
                   ? "--salary and --overhead go with --cost"
                   : "";
    }
    const bool shown = format == OutputFormat::Table || format == OutputFormat::Markdown ||
                       format == OutputFormat::Json || format == OutputFormat::Yaml;
    return shown ? "" : "--cost is shown with -f table, markdown, json or yaml";
}

}  // namespace lintally::cli
