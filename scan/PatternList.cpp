#include "scan/PatternList.h"

#include "scan/AsciiCase.h"

namespace lintally::scan {

std::vector<std::string> BuildPatternList(std::string_view typeList)
{
    std::vector<std::string> patterns;
    std::size_t start = 0;
    while (start < typeList.size()) {
        std::size_t comma = typeList.find(',', start);
        if (comma == std::string_view::npos) {
            comma = typeList.size();
        }
        const std::string_view item = typeList.substr(start, comma - start);
        const std::size_t dot = item.find('.');
        if (item.size() > 2 && dot != std::string_view::npos) {
            patterns.emplace_back(item.substr(dot));
        }
        start = comma + 1;
    }
    return patterns;
}

std::string_view NameSuffix(std::string_view name)
{
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? name : name.substr(dot);
}

bool MatchPattern(const std::vector<std::string>& patterns, std::string_view suffix)
{
    for (const std::string& pattern : patterns) {
        if (pattern == ".*" || EqualsIgnoreAsciiCase(pattern, suffix)) {
            return true;
        }
    }
    return false;
}

}  // namespace lintally::scan
