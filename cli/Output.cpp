#include "cli/Output.h"

#include "cli/RowOrder.h"
#include "cli/Table.h"
#include "results/FormatThousands.h"
#include "results/JsonCsv.h"
#include "results/Report.h"

namespace lintally::cli {

namespace {

void AppendCount(std::string& out, std::uint64_t count, const char* what)
{
    if (count != 0) {
        out.append(out.empty() ? "Skipped: " : ", ")
            .append(results::FormatThousands(static_cast<std::int64_t>(count)));
        out.append(" ").append(what);
    }
}

// The table's footer: how many entries were left out, by reason; nothing when none were.
std::string SkipLine(const scan::ScanResult& result)
{
    std::string out;
    for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
        AppendCount(out, result.skips.Of(name.reason), name.words);
    }
    AppendCount(out, result.skipped.size(),
                result.skipped.size() == 1 ? "folder unreadable" : "folders unreadable");
    return out.empty() ? out : out + "\n";
}

void WriteJson(const CliOptions& cli, scan::ScanResult& result, results::TextOut& text)
{
    // The files keep the list order scripts know; only groups follow --sort and --top.
    if (!cli.by.perFile) {
        OrderRows(result, cli.sort, cli.top);
    }
    results::JsonSummary summary{cli.roots, cli.settings, GroupingName(cli.by),
                                 cli.by.perFile ? nullptr : &result.groups};
    summary.revision = cli.select.rev;
    summary.commit = cli.select.commit;
    results::WriteJson(text, cli.roots.front(), result.rows, result.total, result.skipped, &summary,
                       result.skips);
}

}  // namespace

void WriteOutput(const CliOptions& cli, scan::ScanResult& result, results::TextOut& text)
{
    switch (cli.format) {
    case OutputFormat::Json:
        WriteJson(cli, result, text);
        return;
    case OutputFormat::Csv:
        OrderRows(result, cli.sort, cli.top);
        if (cli.by.perFile) {
            results::WriteCsv(text, result.rows);
        } else {
            text.Text().append(results::FormatGroupCsv(GroupingWord(cli.by), result.groups));
        }
        return;
    case OutputFormat::Table:
        OrderRows(result, cli.sort, cli.top);
        WriteTable(text, cli.by, result);
        text.Text().append(SkipLine(result));
        return;
    case OutputFormat::Report:
        break;
    }
    results::WriteReport(text, cli.roots.front(), result.rows,
                         results::FormatThousands(static_cast<std::int64_t>(result.total)));
}

}  // namespace lintally::cli
