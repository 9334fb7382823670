#include "cli/HelpText.h"

#include <algorithm>

namespace lintally::cli {

namespace {

constexpr std::size_t kDefaultWidth = 80;
constexpr std::size_t kNarrowest = 40;
// A continuation needs this many columns of room, or it falls back to the line's indent.
constexpr std::size_t kLeastRoom = 24;

// Where a continuation of line starts.
std::size_t HangingIndent(std::string_view line, std::size_t width)
{
    const std::size_t indent = std::min(line.find_first_not_of(' '), line.size());
    const std::size_t gap = line.find("  ", indent);
    if (gap != std::string_view::npos) {
        const std::size_t column = line.find_first_not_of(' ', gap);
        if (column != std::string_view::npos && column + kLeastRoom <= width) {
            return column;
        }
    }
    return indent + kLeastRoom <= width ? indent : 0;
}

void WrapLine(std::string& out, std::string_view line, std::size_t width)
{
    const std::size_t indent = HangingIndent(line, width);
    std::string rest(line);
    while (rest.size() > width) {
        // The last space that keeps the line within width, else the first after it (a word
        // longer than the room stays whole).
        std::size_t cut = rest.rfind(' ', width);
        if (cut == std::string::npos || cut <= rest.find_first_not_of(' ')) {
            cut = rest.find(' ', width);
            if (cut == std::string::npos) {
                break;
            }
        }
        const std::size_t end = rest.find_last_not_of(' ', cut) + 1;
        out.append(rest, 0, end).push_back('\n');
        const std::size_t next = rest.find_first_not_of(' ', cut);
        if (next == std::string::npos) {
            return;
        }
        rest = std::string(indent, ' ') + rest.substr(next);
    }
    out.append(rest).push_back('\n');
}

}  // namespace

std::size_t HelpWidth(unsigned terminalColumns)
{
    return terminalColumns == 0 ? kDefaultWidth
                                : std::max<std::size_t>(terminalColumns, kNarrowest);
}

std::string WrapHelp(std::string_view text, std::size_t width)
{
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        WrapLine(out, text.substr(start, end - start), width);
        start = end + 1;
    }
    if (!text.empty() && text.back() != '\n') {
        out.pop_back();
    }
    return out;
}

}  // namespace lintally::cli
