#include "results/HistoryOutput.h"

#include <algorithm>
#include <map>

#include "fileio/MessageText.h"
#include "results/FormatThousands.h"
#include "results/HistoryHtml.h"
#include "results/JsonCsv.h"
#include "results/MarkdownTable.h"
#include "results/TableColumns.h"

namespace lintally::results {

namespace {

// The digits of a commit id the table shows.
constexpr std::size_t kShortId = 10;

std::string Thousands(std::uint64_t value)
{
    return FormatThousands(static_cast<std::int64_t>(value));
}

// The groups with the most code in any one commit, most first (ties by name).
std::vector<std::string> LeadingGroups(const HistoryRows& history)
{
    std::map<std::string, std::uint64_t> most;
    for (const HistoryRow& row : history.rows) {
        for (const HistoryGroup& group : row.groups) {
            std::uint64_t& code = most[group.name];
            code = std::max(code, group.counts.code);
        }
    }
    std::vector<std::pair<std::string, std::uint64_t>> order(most.begin(), most.end());
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> names;
    for (std::size_t i = 0; i < order.size() && i < kHistoryLeadingGroups; ++i) {
        names.push_back(order[i].first);
    }
    return names;
}

void AppendCounts(std::string& out, const HistoryCounts& counts)
{
    for (const std::uint64_t value : {counts.files, counts.code, counts.comment, counts.blank,
                                      counts.physical, counts.counted}) {
        out += ',' + std::to_string(value);
    }
}

void AppendCountsJson(std::string& out, const HistoryCounts& counts)
{
    out += ",\"files\":" + std::to_string(counts.files) +
           ",\"code\":" + std::to_string(counts.code) +
           ",\"comment\":" + std::to_string(counts.comment) +
           ",\"blank\":" + std::to_string(counts.blank) +
           ",\"physical\":" + std::to_string(counts.physical) +
           ",\"counted\":" + std::to_string(counts.counted) + '}';
}

// The table's cells as aligned columns or as a Markdown table.
void WriteHistoryColumns(const HistoryRows& history, TextOut& text, bool markdown)
{
    const std::vector<std::string> leading = LeadingGroups(history);
    bool others = false;
    std::vector<std::vector<std::string>> lines;
    // Date and id share the first column, so both are left-aligned.
    std::vector<std::string> heading = {"Date        Commit", "Files", "Code"};
    heading.insert(heading.end(), leading.begin(), leading.end());
    for (const HistoryRow& row : history.rows) {
        std::vector<std::string> line = {
            row.date.substr(0, 10) + "  " + row.commit.substr(0, kShortId),
            Thousands(row.total.files), Thousands(row.total.code)};
        std::uint64_t rest = row.total.code;
        for (const std::string& name : leading) {
            const auto found =
                std::find_if(row.groups.begin(), row.groups.end(),
                             [&name](const HistoryGroup& g) { return g.name == name; });
            const std::uint64_t code = found == row.groups.end() ? 0 : found->counts.code;
            line.push_back(Thousands(code));
            rest -= code;
        }
        others = others || rest != 0;
        line.push_back(Thousands(rest));
        lines.push_back(std::move(line));
    }
    if (others) {
        heading.push_back("Other");
    } else {
        for (std::vector<std::string>& line : lines) {
            line.pop_back();
        }
    }
    // Group names are file names too: their control bytes never reach a terminal raw.
    for (std::size_t i = 3; i < 3 + leading.size(); ++i) {
        heading[i] = markdown ? MarkdownCell(heading[i]) : Brim::EscapeControlBytes(heading[i]);
    }
    std::string& out = text.Text();
    if (markdown) {
        AppendMarkdownRow(out, heading);
        AppendMarkdownRule(out, heading.size());
        for (const std::vector<std::string>& line : lines) {
            AppendMarkdownRow(out, line);
            text.RowDone();
        }
        return;
    }
    std::vector<std::size_t> widths(heading.size(), 0);
    WidenColumns(widths, heading);
    for (const std::vector<std::string>& line : lines) {
        WidenColumns(widths, line);
    }
    AppendColumns(out, heading, widths);
    out += RuleFor(widths) + '\n';
    for (const std::vector<std::string>& line : lines) {
        AppendColumns(out, line, widths);
        text.RowDone();
    }
}

}  // namespace

void WriteHistoryTable(const HistoryRows& history, TextOut& text)
{
    WriteHistoryColumns(history, text, false);
}

void WriteHistoryMarkdown(const HistoryRows& history, TextOut& text)
{
    WriteHistoryColumns(history, text, true);
}

void WriteHistoryCsv(const HistoryRows& history, TextOut& text)
{
    std::string& out = text.Text();
    out += "commit,date,group,files,code,comment,blank,physical,counted\n";
    for (const HistoryRow& row : history.rows) {
        for (const HistoryGroup& group : row.groups) {
            out += row.commit + ',' + row.date + ',';
            AppendCsvField(out, group.name);
            AppendCounts(out, group.counts);
            out += '\n';
        }
        text.RowDone();
    }
}

void WriteHistoryJson(const HistoryRows& history, TextOut& text)
{
    std::string& out = text.Text();
    out += "{\"root\":" + JsonText(history.root) +
           ",\"revision\":{\"name\":" + JsonText(history.rev) +
           ",\"commit\":" + JsonText(history.commit) + "},\"by\":" + JsonText(history.by) +
           ",\"options\":";
    AppendSettingsJson(out, history.settings);
    out += ",\"complete\":";
    out += history.complete ? "true" : "false";
    out += ",\"commits\":[";
    for (std::size_t i = 0; i < history.rows.size(); ++i) {
        const HistoryRow& row = history.rows[i];
        out += (i == 0 ? "{\"commit\":\"" : ",{\"commit\":\"") + row.commit + "\",\"date\":\"" +
               row.date + '"';
        AppendCountsJson(out, row.total);
        text.RowDone();
    }
    out += "],\"rows\":[";
    bool first = true;
    for (const HistoryRow& row : history.rows) {
        for (const HistoryGroup& group : row.groups) {
            out += (first ? "{\"commit\":\"" : ",{\"commit\":\"") + row.commit + "\",\"date\":\"" +
                   row.date + "\",\"group\":" + JsonText(group.name);
            AppendCountsJson(out, group.counts);
            first = false;
        }
        text.RowDone();
    }
    out += "]}\n";
}

HistorySeries HistoryAsSeries(const HistoryRows& history)
{
    HistorySeries series;
    std::map<std::string, std::size_t> index;  // group name to its place in series.groups
    for (const HistoryRow& row : history.rows) {
        for (const HistoryGroup& group : row.groups) {
            if (index.emplace(group.name, series.groups.size()).second) {
                series.groups.push_back(group.name);
            }
        }
    }
    for (const HistoryRow& row : history.rows) {
        // The day and the short id, as the table shows them: what a reader looks for.
        HistoryPoint point{row.date.substr(0, 10), row.commit.substr(0, kShortId),
                           std::vector<std::uint64_t>(series.groups.size())};
        for (const HistoryGroup& group : row.groups) {
            point.code[index.at(group.name)] = group.counts.code;
        }
        series.points.push_back(std::move(point));
    }
    if (!history.oldestFirst) {
        std::reverse(series.points.begin(), series.points.end());
    }
    return series;
}

void WriteHistoryOutput(OutputFormat format, const HistoryRows& history, TextOut& text)
{
    if (format == OutputFormat::Html) {
        std::string subtitle = history.root + " at " +
                               (history.rev.empty() ? "HEAD" : history.rev) + " (" +
                               history.commit.substr(0, 12) + ")";
        if (!history.complete) {
            subtitle += ", interrupted";
        }
        WriteHistoryHtml(HistoryAsSeries(history), subtitle, text);
    } else if (format == OutputFormat::Json) {
        WriteHistoryJson(history, text);
    } else if (format == OutputFormat::Csv) {
        WriteHistoryCsv(history, text);
    } else if (format == OutputFormat::Markdown) {
        WriteHistoryMarkdown(history, text);
    } else {
        WriteHistoryTable(history, text);
    }
}

}  // namespace lintally::results
