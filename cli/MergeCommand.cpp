#include "cli/MergeCommand.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/CountCommand.h"
#include "cli/CountMerge.h"
#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/SavedCount.h"
#include "fileio/MessageText.h"
#include "results/CountOutput.h"

namespace lintally::cli {

void DefineMergeCommand(CLI::App& app, CliOptions& options, bool& byGiven)
{
    DefineFormatOption(
        app, options.format,
        {OutputFormat::Table, OutputFormat::Json, OutputFormat::Csv, OutputFormat::Markdown,
         OutputFormat::Yaml, OutputFormat::Xml, OutputFormat::Sql, OutputFormat::OpenMetrics},
        "table (default); json: a saved count, with its files unless --by is "
        "given; csv; markdown: the table as GitHub-flavoured Markdown; yaml, xml, sql, "
        "openmetrics: as a count writes them");
    DefineGroupingOption(app, options.by, byGiven,
                         "rows: language (the table's default), ext (name suffix), dir (folders "
                         "one level under each ROOT), dir:N (N levels) or file (the default for "
                         "json and csv)");
    DefineSortOptions(app, options.sort, options.top,
                      "order the rows by name (default), files, lines, code, comment, blank or "
                      "counted, largest first");
    DefineOutputOption(app, options.outputPath);
    DefineGlobalOptions(app, options);
    app.add_option("COUNT", options.roots,
                   "counts saved by -f json, each listing its files; in the order their ROOTs "
                   "would be given")
        ->option_text("FILE")
        ->required()
        ->check(CLI::ExistingFile);
}

std::string FinishMergeOptions(CliOptions& options, bool byGiven)
{
    DefaultGrouping(options.format, byGiven, options.by);
    return CheckFormatGrouping(options.format, byGiven);
}

int RunMerge(CliOptions& options)
{
    CountMerge merge(options.by, options.roots.size());
    for (const std::string& path : options.roots) {
        results::CountJson part;
        const bool first = merge.Roots().empty();
        std::string error;
        const bool read =
            ReadSavedCount(path, first ? nullptr : &options.settings, "merge",
                           "merge sums counts made with the same options", part, error);
        if (read && first) {
            options.settings = part.settings;
        }
        if (!read || !merge.Add(std::move(part), Brim::EscapeControlBytes(path), error)) {
            std::cerr << kProgramName << ": " << error << '\n';
            return kUsageError;
        }
    }
    scan::ScanResult result = merge.Take();
    const results::CountOutputOptions output{
        options.format, options.by,       options.sort, options.top,
        merge.Roots(),  options.settings, {},           {}};
    const int status = EmitOutput(options.outputPath, [&](results::TextOut& text) {
        results::WriteCountOutput(output, result, text);
    });
    if (result.skipped.empty()) {
        return status;
    }
    ReportSkipped(result);
    return status != 0 ? status : kIncomplete;
}

}  // namespace lintally::cli
