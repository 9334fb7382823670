#include "results/DiffHtml.h"

#include <algorithm>
#include <functional>
#include <queue>

#include "results/HtmlCharts.h"
#include "results/HtmlPage.h"
#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

constexpr std::size_t kLanguageBars = 20;
constexpr std::size_t kLargestFiles = 15;

std::int64_t Signed(std::uint64_t value)
{
    return static_cast<std::int64_t>(value);
}

// The code lines a row gained and lost: from the line diff where the texts were compared,
// else (no line diff, or a file too large to compare) only the net change of its code lines.
SplitItem Change(const DiffRow& row, bool lineChanges)
{
    if (lineChanges && row.code.known) {
        return {row.name, row.code.added, row.code.removed};
    }
    const bool grew = row.after.code >= row.before.code;
    return {row.name, grew ? row.after.code - row.before.code : 0,
            grew ? 0 : row.before.code - row.after.code};
}

std::vector<SplitItem> Largest(std::vector<SplitItem> items, std::size_t count)
{
    std::erase_if(items, [](const SplitItem& item) { return item.added + item.removed == 0; });
    std::stable_sort(items.begin(), items.end(), [](const SplitItem& a, const SplitItem& b) {
        return a.added + a.removed > b.added + b.removed;
    });
    items.resize(std::min(items.size(), count));
    return items;
}

// The files with the largest changes, found in one pass that keeps only the largest few
// (a diff of a million files never holds them all).
std::vector<SplitItem> LargestFiles(const DiffReport& report)
{
    using Scored = std::pair<std::uint64_t, std::size_t>;  // size of the change, pair index
    std::priority_queue<Scored, std::vector<Scored>, std::greater<>> kept;
    for (std::size_t i = 0; i < report.diff.pairs.size(); ++i) {
        const SplitItem change = Change(report.diff.FileCounts(i), report.lineChanges);
        const std::uint64_t size = change.added + change.removed;
        if (size > 0) {
            kept.emplace(size, report.diff.pairs.size() - i);  // ties: the earlier file
            if (kept.size() > kLargestFiles) {
                kept.pop();
            }
        }
    }
    std::vector<SplitItem> items;
    for (; !kept.empty(); kept.pop()) {
        const std::size_t index = report.diff.pairs.size() - kept.top().second;
        items.push_back(Change(report.diff.FileRow(index), report.lineChanges));
    }
    std::reverse(items.begin(), items.end());
    return items;
}

std::string SideName(const DiffSideLabel& side)
{
    if (side.kind != DiffSideKind::Revision) {
        return side.path;
    }
    std::string name = side.rev;
    return name.append(" (").append(side.commit.substr(0, 12)).append(")");
}

std::vector<HtmlFact> Facts(const DiffReport& report)
{
    const DiffRow& total = report.total;
    std::vector<HtmlFact> facts;
    if (report.lineChanges && total.code.known) {
        facts.push_back({"Code lines added", Signed(total.code.added), true});
        facts.push_back({"Code lines removed", -Signed(total.code.removed), true});
    }
    facts.push_back(
        {"Code lines, net", Signed(total.after.code) - Signed(total.before.code), true});
    facts.push_back({"Files added", Signed(total.filesAdded)});
    facts.push_back({"Files removed", Signed(total.filesRemoved)});
    facts.push_back({"Files changed", Signed(total.filesChanged)});
    return facts;
}

// status is null where the table has no status column.
std::string RowJson(std::string_view name, const DiffRow& row, const char* status, bool lineChanges)
{
    std::string json = "[";
    json.append(JsonText(name));
    if (status != nullptr) {
        json.append(", ").append(JsonText(status));
    }
    const auto append = [&json](std::int64_t value) {
        json.append(", ").append(std::to_string(value));
    };
    append(Signed(row.before.code));
    append(Signed(row.after.code));
    append(Signed(row.after.code) - Signed(row.before.code));
    if (lineChanges && row.code.known) {
        append(Signed(row.code.added));
        append(-Signed(row.code.removed));
    } else if (lineChanges) {
        json.append(", null, null");  // a file too large to compare: shown as not computed
    }
    for (const std::uint64_t files : {row.filesAdded, row.filesRemoved, row.filesChanged}) {
        append(Signed(files));
    }
    return json.append("]");
}

std::vector<HtmlColumn> Columns(const DiffReport& report)
{
    std::vector<HtmlColumn> columns{{GroupingHeading(report.by)}};
    if (report.by.perFile) {
        columns.push_back({"Status"});
    }
    columns.push_back({"Old code", true});
    columns.push_back({"New code", true});
    columns.push_back({"Code change", true, true});
    if (report.lineChanges) {
        columns.push_back({"Added", true, true});
        columns.push_back({"Removed", true, true});
    }
    for (const char* label : {"Files added", "Files removed", "Files changed"}) {
        columns.push_back({label, true});
    }
    return columns;
}

}  // namespace

void WriteDiffHtml(const DiffReport& report, TextOut& text)
{
    HtmlPage page(text, "diff", "What grew and what shrank",
                  SideName(report.before) + " \xE2\x86\x92 " + SideName(report.after),
                  Facts(report));
    DiffRow total;
    std::vector<SplitItem> languages;
    for (const DiffRow& row : report.diff.GroupRows(scan::Grouping{}, total)) {
        languages.push_back(Change(row, report.lineChanges));
    }
    page.AddChart(SplitChart("Code by language", Largest(std::move(languages), kLanguageBars)));
    page.AddChart(SplitChart("Largest file changes", LargestFiles(report)));
    page.StartTable(Columns(report));
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        page.AddRow(RowJson(row.name, row, status != nullptr ? StatusName(*status) : nullptr,
                            report.lineChanges));
    });
    page.Finish(
        RowJson("Total", report.total, report.by.perFile ? "" : nullptr, report.lineChanges));
}

}  // namespace lintally::results
