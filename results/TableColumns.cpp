#include "results/TableColumns.h"

#include <algorithm>

#include "results/TextWidth.h"

namespace lintally::results {

void AppendColumns(std::string& out, const std::vector<std::string>& line,
                   const std::vector<std::size_t>& widths)
{
    out.append(line[0]).append(widths[0] - DisplayWidth(line[0]), ' ');
    for (std::size_t i = 1; i < line.size(); ++i) {
        out.append(2 + widths[i] - DisplayWidth(line[i]), ' ').append(line[i]);
    }
    out.push_back('\n');
}

void WidenColumns(std::vector<std::size_t>& widths, const std::vector<std::string>& line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        widths[i] = std::max(widths[i], DisplayWidth(line[i]));
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

}  // namespace lintally::results
