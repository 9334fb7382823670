#include "cli/Table.h"

#include <algorithm>
#include <vector>

#include "fileio/MessageText.h"
#include "scan/FormatThousands.h"

namespace lintally::cli {

namespace {

using Line = std::vector<std::string>;

std::string Number(std::uint64_t value)
{
    return scan::FormatThousands(static_cast<std::int64_t>(value));
}

// Name, then Files unless per file, then Lines, Code, Comment, Blank, Counted.
Line MakeLine(bool perFile, std::string name, std::uint64_t files, std::uint64_t lines,
              const PrjHelper::LineBreakdown& kinds)
{
    Line line{std::move(name)};
    if (!perFile) {
        line.push_back(Number(files));
    }
    for (const std::uint64_t value : {kinds.Physical(), kinds.code, kinds.comment, kinds.blank, lines}) {
        line.push_back(Number(value));
    }
    return line;
}

void AppendLine(std::string& out, const Line& line, const std::vector<std::size_t>& widths)
{
    std::string text = line[0];
    text.append(widths[0] - line[0].size(), ' ');
    for (std::size_t i = 1; i < line.size(); ++i) {
        text.append(2 + widths[i] - line[i].size(), ' ').append(line[i]);
    }
    out.append(text).push_back('\n');
}

}  // namespace

std::string FormatTable(const RowGrouping& by, const scan::ScanResult& result)
{
    std::vector<Line> lines;
    Line header{GroupingHeading(by)};
    if (!by.perFile) {
        header.emplace_back("Files");
    }
    for (const char* name : {"Lines", "Code", "Comment", "Blank", "Counted"}) {
        header.emplace_back(name);
    }
    lines.push_back(std::move(header));
    if (by.perFile) {
        for (const scan::Row& row : result.rows) {
            lines.push_back(MakeLine(true, Brim::EscapeControlBytes(row.name), 1, row.lines, row.kinds));
        }
    } else {
        for (const scan::GroupRow& group : result.groups) {
            lines.push_back(MakeLine(false, Brim::EscapeControlBytes(group.name), group.files,
                                     group.lines, group.kinds));
        }
    }
    Line total = MakeLine(by.perFile, "Total", result.files, result.total, result.kinds);
    if (by.perFile) {
        total[0] = "Total (" + Number(result.files) + (result.files == 1 ? " file)" : " files)");
    }
    lines.push_back(std::move(total));
    std::vector<std::size_t> widths(lines[0].size(), 0);
    for (const Line& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], line[i].size());
        }
    }
    std::size_t ruleWidth = widths[0];
    for (std::size_t i = 1; i < widths.size(); ++i) {
        ruleWidth += 2 + widths[i];
    }
    const std::string rule(ruleWidth, '-');
    std::string out;
    AppendLine(out, lines[0], widths);
    out.append(rule).push_back('\n');
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        AppendLine(out, lines[i], widths);
    }
    out.append(rule).push_back('\n');
    AppendLine(out, lines.back(), widths);
    return out;
}

}  // namespace lintally::cli
