#include "results/Report.h"

namespace lintally::results {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRule = "_____________________";  // 21 underscores
constexpr std::size_t kCountColumn = 10;

void AppendRow(std::string& out, std::uint64_t lines, std::string_view name)
{
    const std::string count = std::to_string(lines);
    out.append("  ").append(count);
    if (count.size() < kCountColumn) {
        out.append(kCountColumn - count.size(), ' ');
    }
    out.append(name).append(kLineEnd);
}

template <class Rows>
void WriteRows(TextOut& text, std::string_view root, const Rows& rows, std::string_view totalText)
{
    std::string& out = text.Text();
    out.append("Folder:").append(kLineEnd);
    out.append("  ").append(root).append(kLineEnd);
    out.append(kLineEnd);
    out.append("Source Files Info:").append(kLineEnd);
    out.append("  Lines  |  File").append(kLineEnd);
    out.append(kRule).append(kLineEnd);
    for (const auto& row : rows) {
        AppendRow(out, row.lines, row.name);
        text.RowDone();
    }
    out.append(kRule).append(kLineEnd);
    out.append("Total: ").append(totalText);
    out.append("(").append(std::to_string(rows.size())).append(" files).");
}

}  // namespace

void WriteReport(TextOut& text, std::string_view root, const scan::RowList& rows,
                 std::string_view totalText)
{
    WriteRows(text, root, rows, totalText);
}

std::string FormatReport(std::string_view root, const std::vector<scan::Row>& rows,
                         std::string_view totalText)
{
    TextOut text;
    std::size_t size = 96 + root.size() + totalText.size();
    for (const scan::Row& row : rows) {
        size += 16 + row.name.size();
    }
    text.Text().reserve(size);
    WriteRows(text, root, rows, totalText);
    return text.Take();
}

}  // namespace lintally::results
