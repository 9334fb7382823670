#include "results/DiffTable.h"

#include <vector>

#include "fileio/MessageText.h"
#include "results/FormatThousands.h"
#include "results/MarkdownTable.h"
#include "results/TableColumns.h"

namespace lintally::results {

namespace {

using Line = std::vector<std::string>;

// Code lines added and removed that could not be computed.
constexpr const char* kNotComputed = "?";

// A heading over columns first to first + count - 1.
struct Span
{
    const char* title;
    std::size_t first;
    std::size_t count;
};

std::string Number(std::uint64_t value)
{
    return FormatThousands(static_cast<std::int64_t>(value));
}

std::string Signed(std::int64_t value)
{
    std::string text = FormatThousands(value);
    return value > 0 ? text.insert(0, 1, '+') : text;
}

void AddKind(Line& line, std::uint64_t before, std::uint64_t after)
{
    line.push_back(Number(before));
    line.push_back(Number(after));
    line.push_back(Signed(static_cast<std::int64_t>(after) - static_cast<std::int64_t>(before)));
}

Line MakeLine(std::string name, const DiffRow& row, const FileStatus* status, bool perFile,
              bool lineChanges)
{
    Line line{std::move(name)};
    if (perFile) {
        line.emplace_back(status != nullptr ? StatusName(*status) : "");
    } else {
        line.push_back(Number(row.before.files));
        line.push_back(Number(row.after.files));
        for (const std::uint64_t files : {row.filesAdded, row.filesRemoved, row.filesChanged}) {
            line.push_back(Number(files));
        }
    }
    AddKind(line, row.before.code, row.after.code);
    AddKind(line, row.before.comment, row.after.comment);
    AddKind(line, row.before.blank, row.after.blank);
    AddKind(line, row.before.counted, row.after.counted);
    if (lineChanges && !row.code.known) {
        line.insert(line.end(), {kNotComputed, kNotComputed});
    } else if (lineChanges) {
        line.push_back(Signed(static_cast<std::int64_t>(row.code.added)));
        line.push_back(Signed(-static_cast<std::int64_t>(row.code.removed)));
    }
    return line;
}

// The spans' titles, each right-aligned over its columns.
void AppendSpans(std::string& out, const std::vector<Span>& spans,
                 const std::vector<std::size_t>& widths)
{
    std::string line(widths[0], ' ');
    for (const Span& span : spans) {
        std::size_t width = 0;
        for (std::size_t i = span.first; i < span.first + span.count; ++i) {
            width += 2 + widths[i];
        }
        const std::string title = span.title;
        line.append(width - title.size(), ' ').append(title);
    }
    out.append(line).push_back('\n');
}

std::string FilesLine(const DiffRow& total)
{
    const std::uint64_t same = total.after.files - total.filesAdded - total.filesChanged;
    return "Files: " + Number(total.before.files) + " before, " + Number(total.after.files) +
           " after: " + Number(total.filesAdded) + " added, " + Number(total.filesRemoved) +
           " removed, " + Number(total.filesChanged) + " changed, " + Number(same) + " the same\n";
}

// The Markdown table has one heading line: each column's span title before its own.
void WriteMarkdown(TextOut& text, const DiffReport& report, const std::vector<Span>& spans,
                   Line header, Line total)
{
    for (const Span& span : spans) {
        for (std::size_t i = span.first; i < span.first + span.count && *span.title != 0; ++i) {
            header[i].insert(0, std::string(span.title) + " ");
        }
    }
    std::string& out = text.Text();
    AppendMarkdownRow(out, header);
    AppendMarkdownRule(out, header.size());
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        AppendMarkdownRow(out, MakeLine(MarkdownCell(row.name), row, status, report.by.perFile,
                                        report.lineChanges));
        text.RowDone();
    });
    AppendMarkdownRow(out, MarkdownBold(std::move(total)));
    // A blank line ends the table, so the line on the files is not read as a row.
    out.append("\n").append(FilesLine(report.total));
}

}  // namespace

void WriteDiffTable(TextOut& text, const DiffReport& report)
{
    const bool perFile = report.by.perFile;
    Line header{GroupingHeading(report.by)};
    std::vector<Span> spans;
    if (perFile) {
        header.emplace_back("Status");
        spans.push_back({"", 1, 1});
    } else {
        spans.push_back({"Files", 1, 5});
        header.insert(header.end(), {"old", "new", "added", "removed", "changed"});
    }
    // The counted lines are all lines unless options leave some out; then they say so.
    const char* counted = report.settings.CountsEveryLine() ? "Lines" : "Counted";
    for (const char* kind : {"Code", "Comment", "Blank", counted}) {
        spans.push_back({kind, header.size(), 3});
        header.insert(header.end(), {"old", "new", "+/-"});
    }
    if (report.lineChanges) {
        spans.push_back({"Code lines", header.size(), 2});
        header.insert(header.end(), {"added", "removed"});
    }
    const Line total = MakeLine("Total", report.total, nullptr, perFile, report.lineChanges);
    if (report.format == OutputFormat::Markdown) {
        WriteMarkdown(text, report, spans, std::move(header), total);
        return;
    }
    std::vector<std::size_t> widths(header.size(), 0);
    const auto widen = [&widths](const Line& line) { WidenColumns(widths, line); };
    widen(header);
    widen(total);
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        widen(
            MakeLine(Brim::EscapeControlBytes(row.name), row, status, perFile, report.lineChanges));
    });
    // A title wider than its columns widens the last of them.
    for (const Span& span : spans) {
        std::size_t width = 2 * (span.count - 1);
        for (std::size_t i = span.first; i < span.first + span.count; ++i) {
            width += widths[i];
        }
        const std::size_t title = std::string(span.title).size();
        if (title > width) {
            widths[span.first + span.count - 1] += title - width;
        }
    }
    const std::string rule = RuleFor(widths);
    std::string& out = text.Text();
    AppendSpans(out, spans, widths);
    AppendColumns(out, header, widths);
    out.append(rule).push_back('\n');
    ForEachRow(report, [&](const DiffRow& row, const FileStatus* status) {
        AppendColumns(
            out,
            MakeLine(Brim::EscapeControlBytes(row.name), row, status, perFile, report.lineChanges),
            widths);
        text.RowDone();
    });
    out.append(rule).push_back('\n');
    AppendColumns(out, total, widths);
    out.append(FilesLine(report.total));
}

}  // namespace lintally::results
