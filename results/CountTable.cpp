#include "results/CountTable.h"

#include <string>
#include <vector>

#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"
#include "results/FormatThousands.h"
#include "results/MarkdownTable.h"
#include "results/TableColumns.h"

namespace lintally::results {

namespace {

using Line = std::vector<std::string>;

std::string Number(std::uint64_t value)
{
    return FormatThousands(static_cast<std::int64_t>(value));
}

// What the columns after the name hold.
struct Columns
{
    bool files;       // the Files column: not per file
    bool counted;     // the Counted column: only when it can differ from Lines
    bool complexity;  // the Complexity column: when asked for
};

// Name, then Files, Lines, Code, Comment, Blank, Counted and Complexity as columns says.
Line MakeLine(Columns columns, std::string name, std::uint64_t files, std::uint64_t lines,
              const PrjHelper::LineBreakdown& kinds, std::uint64_t complexity)
{
    Line line{std::move(name)};
    if (columns.files) {
        line.push_back(Number(files));
    }
    for (const std::uint64_t value : {kinds.Physical(), kinds.code, kinds.comment, kinds.blank}) {
        line.push_back(Number(value));
    }
    if (columns.counted) {
        line.push_back(Number(lines));
    }
    if (columns.complexity) {
        line.push_back(Number(complexity));
    }
    return line;
}

std::string PlainName(std::string_view name)
{
    return Brim::EscapeControlBytes(name);
}

// Calls each with the line of every row or group in list order, names shown by show; a
// file's embedded code follows it, one line per language named "NAME (LANGUAGE)". The
// lines are made as they are needed, so a table of a million rows never holds them all.
template <class Each>
void ForEachLine(const RowGrouping& by, Columns columns, std::uint32_t flags,
                 const scan::ScanResult& result, std::string (*show)(std::string_view), Each each)
{
    if (by.perFile) {
        for (const scan::RowView row : result.rows) {
            each(MakeLine(columns, show(row.name), 1, row.lines, row.kinds, row.complexity));
            for (const PrjHelper::EmbeddedPart& part : row.embedded) {
                const std::string name =
                    std::string(row.name) + " (" + PrjHelper::GetAnyLanguageName(part.lang) + ")";
                each(MakeLine(columns, show(name), 1, part.kinds.Counted(flags), part.kinds,
                              part.complexity));
            }
        }
    } else {
        for (const scan::GroupRow& group : result.groups) {
            each(MakeLine(columns, show(group.name), group.files, group.lines, group.kinds,
                          group.complexity));
        }
    }
}

}  // namespace

void WriteTable(TextOut& text, const RowGrouping& by, const scan::CountSettings& settings,
                const scan::ScanResult& result, bool markdown)
{
    const Columns columns{!by.perFile, !settings.CountsEveryLine(), settings.complexity};
    const std::uint32_t flags = settings.CountFlags();
    Line header{GroupingHeading(by)};
    if (columns.files) {
        header.emplace_back("Files");
    }
    for (const char* name : {"Lines", "Code", "Comment", "Blank"}) {
        header.emplace_back(name);
    }
    if (columns.counted) {
        header.emplace_back("Counted");
    }
    if (columns.complexity) {
        header.emplace_back("Complexity");
    }
    Line total =
        MakeLine(columns, "Total", result.files, result.total, result.kinds, result.complexity);
    if (by.perFile) {
        total[0] = "Total (" + Number(result.files) + (result.files == 1 ? " file)" : " files)");
    }
    std::string& out = text.Text();
    if (markdown) {
        AppendMarkdownRow(out, header);
        AppendMarkdownRule(out, header.size());
        ForEachLine(by, columns, flags, result, MarkdownCell, [&](const Line& line) {
            AppendMarkdownRow(out, line);
            text.RowDone();
        });
        AppendMarkdownRow(out, MarkdownBold(std::move(total)));
        return;
    }
    std::vector<std::size_t> widths(header.size(), 0);
    const auto widen = [&widths](const Line& line) { WidenColumns(widths, line); };
    widen(header);
    widen(total);
    ForEachLine(by, columns, flags, result, PlainName, widen);
    const std::string rule = RuleFor(widths);
    AppendColumns(out, header, widths);
    out.append(rule).push_back('\n');
    ForEachLine(by, columns, flags, result, PlainName, [&](const Line& line) {
        AppendColumns(out, line, widths);
        text.RowDone();
    });
    out.append(rule).push_back('\n');
    AppendColumns(out, total, widths);
}

}  // namespace lintally::results
