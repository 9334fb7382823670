#include "results/MarkdownTable.h"

#include "fileio/MessageText.h"

namespace lintally::results {

std::string MarkdownCell(std::string_view name)
{
    std::string out;
    for (const char c : Brim::EscapeControlBytes(name)) {
        if (std::string_view("|\\`*_<").find(c) != std::string_view::npos) {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    return out;
}

void AppendMarkdownRow(std::string& out, const std::vector<std::string>& cells)
{
    for (const std::string& cell : cells) {
        out.append("| ").append(cell).push_back(' ');
    }
    out.append("|\n");
}

void AppendMarkdownRule(std::string& out, std::size_t columns)
{
    out.append("| --- |");
    for (std::size_t i = 1; i < columns; ++i) {
        out.append(" ---: |");
    }
    out.push_back('\n');
}

std::vector<std::string> MarkdownBold(std::vector<std::string> cells)
{
    for (std::string& cell : cells) {
        if (!cell.empty()) {
            cell = "**" + cell + "**";
        }
    }
    return cells;
}

}  // namespace lintally::results
