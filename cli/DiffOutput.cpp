#include "cli/DiffOutput.h"

#include <array>

#include "cli/DiffTable.h"
#include "results/JsonCsv.h"

namespace lintally::cli {

namespace {

std::int64_t Delta(std::uint64_t before, std::uint64_t after)
{
    return static_cast<std::int64_t>(after) - static_cast<std::int64_t>(before);
}

void AppendCounts(std::string& out, const results::DiffCounts& counts)
{
    out.append("{\"files\": ").append(std::to_string(counts.files));
    out.append(", \"code\": ").append(std::to_string(counts.code));
    out.append(", \"comment\": ").append(std::to_string(counts.comment));
    out.append(", \"blank\": ").append(std::to_string(counts.blank));
    out.append(", \"counted\": ").append(std::to_string(counts.counted)).append("}");
}

void AppendDelta(std::string& out, const results::DiffCounts& before,
                 const results::DiffCounts& after)
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
void AppendDiffMembers(std::string& out, const results::DiffRow& row, bool lineChanges)
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
        out.append(", \"code_added\": ").append(std::to_string(row.code.added));
        out.append(", \"code_removed\": ").append(std::to_string(row.code.removed));
    }
}

void AppendSide(std::string& out, const DiffSide& side)
{
    switch (side.kind) {
    case SideKind::Folder:
        out.append("{\"kind\": \"folder\", \"path\": ").append(results::JsonText(side.path));
        break;
    case SideKind::Json:
        out.append("{\"kind\": \"json\", \"path\": ").append(results::JsonText(side.path));
        out.append(", \"root\": ").append(results::JsonText(side.root));
        break;
    case SideKind::Revision:
        out.append("{\"kind\": \"revision\", \"root\": ").append(results::JsonText(side.path));
        out.append(", \"rev\": ").append(results::JsonText(side.rev));
        out.append(", \"commit\": ").append(results::JsonText(side.commit));
        break;
    }
    out.append("}");
}

void WriteJson(const DiffOptions& options, const DiffReport& report, results::TextOut& text)
{
    std::string& out = text.Text();
    out.append("{\"old\": ");
    AppendSide(out, report.before);
    out.append(", \"new\": ");
    AppendSide(out, report.after);
    out.append(", \"groups\": [");
    bool first = true;
    ForEachRow(
        report, options.by.perFile,
        [&](const results::DiffRow& row, const results::FileStatus* status) {
            out.append(first ? "{\"name\": " : ", {\"name\": ").append(results::JsonText(row.name));
            first = false;
            if (status != nullptr) {
                out.append(", \"status\": \"").append(results::StatusName(*status)).append("\"");
            }
            out.append(", ");
            AppendDiffMembers(out, row, report.lineChanges);
            out.append("}");
            text.RowDone();
        });
    out.append("], \"total\": {");
    AppendDiffMembers(out, report.total, report.lineChanges);
    out.append("}, \"options\": ");
    results::AppendSettingsJson(out, options.count.settings);
    out.append(", \"by\": ").append(results::JsonText(GroupingName(options.by)));
    out.append(", \"line_changes\": ").append(report.lineChanges ? "true" : "false").append("}\n");
}

void AppendCsvNumbers(std::string& out, const results::DiffRow& row, bool lineChanges)
{
    for (const std::uint64_t value : {row.filesAdded, row.filesRemoved, row.filesChanged}) {
        out.append(",").append(std::to_string(value));
    }
    const auto fields = [](const results::DiffCounts& counts) {
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
        out.append(",").append(std::to_string(row.code.added));
        out.append(",").append(std::to_string(row.code.removed));
    }
    out.append("\n");
}

void WriteCsv(const DiffOptions& options, const DiffReport& report, results::TextOut& text)
{
    std::string& out = text.Text();
    out.append("row,");
    results::AppendCsvField(out, GroupingWord(options.by));
    out.append(",status,files_added,files_removed,files_changed");
    for (const char* name : {"files", "code", "comment", "blank", "counted"}) {
        for (const char* side : {"old_", "new_", "delta_"}) {
            out.append(",").append(side).append(name);
        }
    }
    out.append(report.lineChanges ? ",code_added,code_removed\n" : "\n");
    ForEachRow(report, options.by.perFile,
               [&](const results::DiffRow& row, const results::FileStatus* status) {
                   out.append(status != nullptr ? "file," : "group,");
                   results::AppendCsvField(out, row.name);
                   out.append(",").append(status != nullptr ? results::StatusName(*status) : "");
                   AppendCsvNumbers(out, row, report.lineChanges);
                   text.RowDone();
               });
    out.append("total,,");
    AppendCsvNumbers(out, report.total, report.lineChanges);
}

}  // namespace

void WriteDiff(const DiffOptions& options, const DiffReport& report, results::TextOut& text)
{
    switch (options.format) {
    case OutputFormat::Json:
        WriteJson(options, report, text);
        return;
    case OutputFormat::Csv:
        WriteCsv(options, report, text);
        return;
    case OutputFormat::Table:
    case OutputFormat::Report:
        break;
    }
    WriteDiffTable(text, options.by, report);
}

}  // namespace lintally::cli
