#include "results/CountOutput.h"

#include "results/CountHtml.h"
#include "results/CountOpenMetrics.h"
#include "results/CountSql.h"
#include "results/CountTable.h"
#include "results/CountXml.h"
#include "results/FormatThousands.h"
#include "results/JsonCsv.h"
#include "results/Report.h"
#include "results/YamlFromJson.h"

namespace lintally::results {

namespace {

void AppendCount(std::string& out, std::uint64_t count, const char* what)
{
    if (count != 0) {
        out.append(out.empty() ? "" : ", ")
            .append(FormatThousands(static_cast<std::int64_t>(count)));
        out.append(" ").append(what);
    }
}

// The table's footer: how many entries were left out, by reason; nothing when none were.
std::string SkipLine(const scan::ScanResult& result)
{
    const std::string summary = SkipSummary(result);
    return summary.empty() ? summary : "Skipped: " + summary + "\n";
}

void WriteCountJson(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text)
{
    // The files keep the list order scripts know; only groups follow the sort and top.
    if (!options.by.perFile) {
        OrderRows(result, options.sort, options.top);
    }
    JsonSummary summary{options.roots, options.settings, GroupingName(options.by),
                        options.by.perFile ? nullptr : &result.groups};
    summary.revision = options.revision;
    summary.commit = options.commit;
    summary.files = result.files;
    summary.kinds = result.kinds;
    summary.complexity = result.complexity;
    const CostEstimate cost = EstimateCost(result.kinds.code, options.cost.value_or(CostInputs{}));
    summary.cost = options.cost ? &cost : nullptr;
    WriteJson(text, options.roots.front(), result.rows, result.total, result.skipped, &summary,
              result.skips);
}

// The same values as the JSON, turned into YAML as the JSON is written.
void WriteCountYaml(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text)
{
    YamlFromJson yaml(text.Text());
    TextOut json([&](std::string_view piece) {
        yaml.Feed(piece);
        text.RowDone();
        return true;
    });
    WriteCountJson(options, result, json);
    static_cast<void>(json.Finish());
}

// The groups, or one group a file when the count lists files.
std::vector<scan::GroupRow> GroupsOrFiles(const CountOutputOptions& options,
                                          const scan::ScanResult& result)
{
    if (!options.by.perFile) {
        return result.groups;
    }
    std::vector<scan::GroupRow> files;
    files.reserve(result.rows.size());
    for (const scan::RowView row : result.rows) {
        files.push_back({std::string(row.name), 1, row.lines, row.kinds});
    }
    return files;
}

// The other tools' forms but YAML.
void WriteForOtherTools(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text)
{
    OrderRows(result, options.sort, options.top);
    const std::string& root = options.roots.front();
    if (options.format == OutputFormat::Xml) {
        WriteCountXml(text, root, result.rows);
    } else if (options.format == OutputFormat::OpenMetrics) {
        WriteOpenMetrics(text, GroupingWord(options.by), GroupsOrFiles(options, result));
    } else if (options.by.perFile) {
        WriteFilesSql(text, root, result.rows);
    } else {
        WriteGroupsSql(text, root, GroupingName(options.by), result.groups);
    }
}

}  // namespace

std::string SkipSummary(const scan::ScanResult& result)
{
    std::string out;
    for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
        const std::uint64_t count = result.skips.Of(name.reason);
        AppendCount(out, count, count == 1 ? name.one : name.more);
    }
    AppendCount(out, result.skipped.size(),
                result.skipped.size() == 1 ? "unreadable folder" : "unreadable folders");
    return out;
}

void WriteCountOutput(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text)
{
    switch (options.format) {
    case OutputFormat::Json:
        WriteCountJson(options, result, text);
        return;
    case OutputFormat::Yaml:
        WriteCountYaml(options, result, text);
        return;
    case OutputFormat::Xml:
    case OutputFormat::Sql:
    case OutputFormat::OpenMetrics:
        WriteForOtherTools(options, result, text);
        return;
    case OutputFormat::Csv:
        OrderRows(result, options.sort, options.top);
        if (options.by.perFile) {
            WriteCsv(text, result.rows, options.settings);
        } else {
            text.Text().append(FormatGroupCsv(GroupingWord(options.by), result.groups,
                                              options.settings.complexity));
        }
        return;
    case OutputFormat::Table:
    case OutputFormat::Markdown: {
        const bool markdown = options.format == OutputFormat::Markdown;
        OrderRows(result, options.sort, options.top);
        WriteTable(text, options.by, options.settings, result, markdown);
        // Markdown ends a table at a blank line; a line right under it would be one more row.
        const std::string skips = SkipLine(result);
        text.Text().append(markdown && !skips.empty() ? "\n" : "").append(skips);
        if (options.cost) {
            const CostEstimate cost = EstimateCost(result.kinds.code, *options.cost);
            text.Text().append("\n").append(FormatCost(cost, markdown ? "- " : "  "));
        }
        return;
    }
    case OutputFormat::Html:
        WriteCountHtml(options, result, text);
        return;
    case OutputFormat::Report:
        break;
    }
    WriteReport(text, options.roots.front(), result.rows,
                FormatThousands(static_cast<std::int64_t>(result.total)));
}

}  // namespace lintally::results
