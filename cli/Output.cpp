#include "cli/Output.h"

#include "cli/RowOrder.h"
#include "cli/Table.h"
#include "scan/FormatThousands.h"
#include "scan/JsonCsv.h"
#include "scan/Report.h"

namespace lintally::cli {

namespace {

// The grouping as --by took it ("dir:2" with its depth).
std::string GroupingName(const RowGrouping& by)
{
    const std::string word = GroupingWord(by);
    const bool folders = !by.perFile && by.grouping.by == scan::GroupBy::Folder;
    return folders ? word + ":" + std::to_string(by.grouping.depth) : word;
}

std::string Json(const CliOptions& cli, scan::ScanResult& result)
{
    // The files keep the list order scripts know; only groups follow --sort and --top.
    if (!cli.by.perFile) {
        OrderRows(result, cli.sort, cli.top);
    }
    scan::JsonSummary summary{cli.roots,          cli.types,        cli.includeSubFolders,
                              cli.includeRemed,   cli.excludeBlank, cli.trackBlocks,
                              GroupingName(cli.by), cli.by.perFile ? nullptr : &result.groups};
    if (cli.wideLanguages) {
        summary.languages = "wide";
        summary.types = cli.typesGiven ? cli.types : "";
    }
    return scan::FormatJson(cli.roots.front(), result.rows, result.total, result.skipped, &summary);
}

}  // namespace

std::string FormatOutput(const CliOptions& cli, scan::ScanResult& result)
{
    switch (cli.format) {
    case OutputFormat::Json:
        return Json(cli, result);
    case OutputFormat::Csv:
        OrderRows(result, cli.sort, cli.top);
        if (cli.by.perFile) {
            return scan::FormatCsv(result.rows);
        }
        return scan::FormatGroupCsv(GroupingWord(cli.by), result.groups);
    case OutputFormat::Table:
        OrderRows(result, cli.sort, cli.top);
        return FormatTable(cli.by, result);
    case OutputFormat::Report:
        break;
    }
    return scan::FormatReport(cli.roots.front(), result.rows,
                              scan::FormatThousands(static_cast<std::int64_t>(result.total)));
}

}  // namespace lintally::cli
