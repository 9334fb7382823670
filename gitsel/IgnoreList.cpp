#include "gitsel/IgnoreList.h"

#include <algorithm>
#include <limits>
#include <string>

namespace lintally::gitsel {

namespace {

// line without its trailing spaces, but for one escaped by '\'.
std::string_view TrimTrailingSpaces(std::string_view line)
{
    std::size_t end = 0;  // just past the last character that stays
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            ++i;
            end = i + 1;
        } else if (line[i] != ' ') {
            end = i + 1;
        }
    }
    return line.substr(0, end);
}

// pattern with each "**" that is not a whole part made one '*', as git's matcher takes it.
std::string WholePartStars(std::string_view pattern)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            out.append(pattern.substr(i, 2));
            ++i;
            continue;
        }
        if (pattern[i] != '*' || i + 1 >= pattern.size() || pattern[i + 1] != '*') {
            out.push_back(pattern[i]);
            continue;
        }
        std::size_t end = i;
        while (end < pattern.size() && pattern[end] == '*') {
            ++end;
        }
        const bool whole =
            (i == 0 || pattern[i - 1] == '/') && (end == pattern.size() || pattern[end] == '/');
        out.append(whole ? "**" : "*");
        i = end - 1;
    }
    return out;
}

}  // namespace

IgnoreList::IgnoreList(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        Add(line);
    }
}

void IgnoreList::Add(std::string_view line)
{
    if (line.empty() || line.front() == '#') {
        return;
    }
    line = TrimTrailingSpaces(line);
    Pattern pattern;
    if (!line.empty() && line.front() == '!') {
        pattern.keep = true;
        line.remove_prefix(1);
    }
    if (!line.empty() && line.back() == '/') {
        pattern.foldersOnly = true;
        line.remove_suffix(1);
    }
    if (line.empty()) {
        return;
    }
    pattern.byPath = line.find('/') != std::string_view::npos;
    if (line.front() == '/') {
        line.remove_prefix(1);
    }
    const std::string text = WholePartStars(line);
    constexpr std::string_view kWild = "*?[\\";
    if (m_patterns.size() == std::numeric_limits<std::uint32_t>::max()) {
        return;
    }
    const auto place = static_cast<std::uint32_t>(m_patterns.size());
    if (text.find_first_of(kWild) == std::string::npos) {
        pattern.form = Form::Text;
        (pattern.byPath ? m_paths : m_names)[text].push_back(place);
    } else if (!pattern.byPath && text.front() == '*' &&
               text.find_first_of(kWild, 1) == std::string::npos) {
        pattern.form = Form::Suffix;
        m_suffixes[text.substr(1)].push_back(place);
        if (std::find(m_suffixLengths.begin(), m_suffixLengths.end(), text.size() - 1) ==
            m_suffixLengths.end()) {
            m_suffixLengths.push_back(text.size() - 1);
        }
    } else if (std::string error; pattern.glob.Parse(text, error)) {
        m_globs.push_back(place);
    } else {
        return;
    }
    m_patterns.push_back(std::move(pattern));
}

void IgnoreList::Latest(const Index& index, std::string_view text, bool folder,
                        std::int64_t& best) const
{
    if (index.empty()) {
        return;
    }
    const auto found = index.find(text);
    if (found == index.end()) {
        return;
    }
    for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
        if (static_cast<std::int64_t>(*it) <= best) {
            return;
        }
        if (folder || !m_patterns[*it].foldersOnly) {
            best = *it;
            return;
        }
    }
}

std::optional<bool> IgnoreList::Match(std::string_view relative, bool folder) const
{
    const std::size_t slash = relative.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? relative : relative.substr(slash + 1);
    // The last pattern that matches decides: the latest place of each table's match, then
    // any later glob.
    std::int64_t best = -1;
    Latest(m_names, name, folder, best);
    Latest(m_paths, relative, folder, best);
    for (const std::size_t length : m_suffixLengths) {
        if (length <= name.size()) {
            Latest(m_suffixes, name.substr(name.size() - length), folder, best);
        }
    }
    for (auto it = m_globs.rbegin(); it != m_globs.rend(); ++it) {
        if (static_cast<std::int64_t>(*it) <= best) {
            break;
        }
        const Pattern& pattern = m_patterns[*it];
        if ((folder || !pattern.foldersOnly) &&
            pattern.glob.Matches(pattern.byPath ? relative : name)) {
            best = *it;
            break;
        }
    }
    if (best < 0) {
        return std::nullopt;
    }
    return !m_patterns[static_cast<std::size_t>(best)].keep;
}

}  // namespace lintally::gitsel
