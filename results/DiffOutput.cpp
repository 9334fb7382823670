#include "results/DiffOutput.h"

#include <array>

#include "results/DiffHtml.h"
#include "results/DiffTable.h"
#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

std::int64_t Delta(std::uint64_t before, std::uint64_t after)
{
    return static_cast<std::int64_t>(after) - static_cast<std::int64_t>(before);
}

// One of the code line counts, or unknown when they could not be computed.
std::string LineCount(const LineChanges& changes, std::uint64_t count, const char* unknown)
{
    return changes.known ? std::to_string(count) : unknown;
}

void AppendCounts(std::string& out, const DiffCounts& counts)
{
    out.append("{\"files\": ").append(std::to_string(counts.files));
    out.append(", \"code\": ").append(std::to_string(counts.code));
    out.append(", \"comment\": ").append(std::to_string(counts.comment));
    out.append(", \"blank\": ").append(std::to_string(counts.blank));
    out.append(", \"counted\": ").append(std::to_string(counts.counted)).append("}");
}

void AppendDelta(std::string& out, const DiffCounts& before, const DiffCounts& after)
{
    out.append("{\"files\": ").append(std::to_string(Delta(before.files, after.files)));
    out.append(", \"code\": ").append(std::to_string(Delta(before.code, after.code)));
    out.append(", \"comment\": ").append(std::to_string(Delta(before.comment, after.comment)));
    out.append(", \"blank\": ").append(std::to_string(Delta(before.blank, after.blank)));
    out.append(", \"counted\": ")
        .append(std::to_string(Delta(before.counted, after.counted)))
        .append("}");
}

// "old", "new", "delta", the files added, removed and changed and the code lines.
void AppendDiffMembers(std::string& out, const DiffRow& row, bool lineChanges)
{
    out.append("\"old\": ");
    AppendCounts(out, row.before);
    out.append(", \"new\": ");
    AppendCounts(out, row.after);
    out.append(", \"delta\": ");
    AppendDelta(out, row.before, row.after);
    out.append(", \"files_added\": ").append(std::to_string(row.filesAdded));
    out.append(", \"files_removed\": ").append(std::to_string(row.filesRemoved));
    out.append(", \"files_changed\": ").append(std::to_string(row.filesChanged));
    if (lineChanges) {
        out.append(", \"code_added\": ").append(LineCount(row.code, row.code.added, "null"));
        out.append(", \"code_removed\": ").append(LineCount(row.code, row.code.removed, "null"));
    }
}

void AppendSide(std::string& out, const DiffSideLabel& side)
{
    switch (side.kind) {
    case DiffSideKind::Folder:
        out.append("{\"kind\": \"folder\", \"path\": ").append(JsonText(side.path));
        break;
    case DiffSideKind::Json:
        out.append("{\"kind\": \"json\", \"path\": ").append(JsonText(side.path));
        out.append(", \"root\": ").append(JsonText(side.root));
        break;
    case DiffSideKind::Revision:
        out.append("{\"kind\": \"revision\", \"root\": ").append(JsonText(side.path));
        out.append(", \"rev\": ").append(JsonText(side.rev));
        out.append(", \"commit\": ").append(JsonText(side.commit));
        break;
    }
    out.append("}");
}

void WriteDiffJson(const DiffReport& report, TextOut& text)
{
    std::string& out = text.Text();
    out.append("{\"old\": ");
    AppendSide(out, report.before);
    out.append(", \"new\": ");
    AppendSide(out, report.after);
    out.append(", \"groups\": [");
    bool first = true;
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        out.append(first ? "{\"name\": " : ", {\"name\": ").append(JsonText(row.name));
        first = false;
        if (status != nullptr) {
            out.append(", \"status\": \"").append(StatusName(*status)).append("\"");
        }
        out.append(", ");
        AppendDiffMembers(out, row, report.lineChanges);
        out.append("}");
        text.RowDone();
    });
    out.append("], \"total\": {");
    AppendDiffMembers(out, report.total, report.lineChanges);
    out.append("}, \"options\": ");
    AppendSettingsJson(out, report.settings);
    out.append(", \"by\": ").append(JsonText(GroupingName(report.by)));
    out.append(", \"line_changes\": ").append(report.lineChanges ? "true" : "false").append("}\n");
}

void AppendCsvNumbers(std::string& out, const DiffRow& row, bool lineChanges)
{
    for (const std::uint64_t value : {row.filesAdded, row.filesRemoved, row.filesChanged}) {
        out.append(",").append(std::to_string(value));
    }
    const auto fields = [](const DiffCounts& counts) {
        return std::array<std::uint64_t, 5>{counts.files, counts.code, counts.comment, counts.blank,
                                            counts.counted};
    };
    const auto before = fields(row.before);
    const auto after = fields(row.after);
    for (std::size_t i = 0; i < before.size(); ++i) {
        out.append(",").append(std::to_string(before[i]));
        out.append(",").append(std::to_string(after[i]));
        out.append(",").append(std::to_string(Delta(before[i], after[i])));
    }
    if (lineChanges) {
        out.append(",").append(LineCount(row.code, row.code.added, ""));
        out.append(",").append(LineCount(row.code, row.code.removed, ""));
    }
    out.append("\n");
}

// As the count's CSV: a line per file or group and no total line (the JSON holds the total).
void WriteDiffCsv(const DiffReport& report, TextOut& text)
{
    std::string& out = text.Text();
    AppendCsvField(out, GroupingWord(report.by));
    out.append(report.by.perFile ? ",status" : "");
    out.append(",files_added,files_removed,files_changed");
    for (const char* name : {"files", "code", "comment", "blank", "counted"}) {
        for (const char* side : {"old_", "new_", "delta_"}) {
            out.append(",").append(side).append(name);
        }
    }
    out.append(report.lineChanges ? ",code_added,code_removed\n" : "\n");
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        AppendCsvField(out, row.name);
        if (status != nullptr) {
            out.append(",").append(StatusName(*status));
        }
        AppendCsvNumbers(out, row, report.lineChanges);
        text.RowDone();
    });
}

}  // namespace

void WriteDiff(const DiffReport& report, TextOut& text)
{
    switch (report.format) {
    case OutputFormat::Json:
        WriteDiffJson(report, text);
        return;
    case OutputFormat::Csv:
        WriteDiffCsv(report, text);
        return;
    case OutputFormat::Html:
        WriteDiffHtml(report, text);
        return;
    case OutputFormat::Table:
    case OutputFormat::Markdown:
    case OutputFormat::Report:
    case OutputFormat::Yaml:
    case OutputFormat::Xml:
    case OutputFormat::Sql:
    case OutputFormat::OpenMetrics:
        break;
    }
    WriteDiffTable(text, report);
}

}  // namespace lintally::results
