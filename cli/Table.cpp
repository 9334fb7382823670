#include "cli/Table.h"

#include <algorithm>
#include <vector>

#include "fileio/MessageText.h"
#include "results/FormatThousands.h"

namespace lintally::cli {

namespace {

using Line = std::vector<std::string>;

std::string Number(std::uint64_t value)
{
    return results::FormatThousands(static_cast<std::int64_t>(value));
}

// Name, then Files unless per file, then Lines, Code, Comment, Blank, Counted.
Line MakeLine(bool perFile, std::string name, std::uint64_t files, std::uint64_t lines,
              const PrjHelper::LineBreakdown& kinds)
{
    Line line{std::move(name)};
    if (!perFile) {
        line.push_back(Number(files));
    }
    for (const std::uint64_t value :
         {kinds.Physical(), kinds.code, kinds.comment, kinds.blank, lines}) {
        line.push_back(Number(value));
    }
    return line;
}

// Calls each with the line of every row or group in list order. The lines are made as they
// are needed, so a table of a million rows never holds them all.
template <class Each>
void ForEachLine(const RowGrouping& by, const scan::ScanResult& result, Each each)
{
    if (by.perFile) {
        for (const scan::RowView row : result.rows) {
            each(MakeLine(true, Brim::EscapeControlBytes(row.name), 1, row.lines, row.kinds));
        }
    } else {
        for (const scan::GroupRow& group : result.groups) {
            each(MakeLine(false, Brim::EscapeControlBytes(group.name), group.files, group.lines,
                          group.kinds));
        }
    }
}

}  // namespace

void AppendColumns(std::string& out, const std::vector<std::string>& line,
                   const std::vector<std::size_t>& widths)
{
    out.append(line[0]).append(widths[0] - line[0].size(), ' ');
    for (std::size_t i = 1; i < line.size(); ++i) {
        out.append(2 + widths[i] - line[i].size(), ' ').append(line[i]);
    }
    out.push_back('\n');
}

void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        widths[i] = std::max(widths[i], line[i].size());
    }
}

std::string RuleFor(const std::vector<std::size_t>& widths)
{
    std::size_t width = widths[0];
    for (std::size_t i = 1; i < widths.size(); ++i) {
        width += 2 + widths[i];
    }
    return std::string(width, '-');
}

void WriteTable(results::TextOut& text, const RowGrouping& by, const scan::ScanResult& result)
{
    Line header{GroupingHeading(by)};
    if (!by.perFile) {
        header.emplace_back("Files");
    }
    for (const char* name : {"Lines", "Code", "Comment", "Blank", "Counted"}) {
        header.emplace_back(name);
    }
    Line total = MakeLine(by.perFile, "Total", result.files, result.total, result.kinds);
    if (by.perFile) {
        total[0] = "Total (" + Number(result.files) + (result.files == 1 ? " file)" : " files)");
    }
    std::vector<std::size_t> widths(header.size(), 0);
    const auto widen = [&widths](const Line& line) { WidenColumns(widths, line); };
    widen(header);
    widen(total);
    ForEachLine(by, result, widen);
    const std::string rule = RuleFor(widths);
    std::string& out = text.Text();
    AppendColumns(out, header, widths);
    out.append(rule).push_back('\n');
    ForEachLine(by, result, [&](const Line& line) {
        AppendColumns(out, line, widths);
        text.RowDone();
    });
    out.append(rule).push_back('\n');
    AppendColumns(out, total, widths);
}

}  // namespace lintally::cli
