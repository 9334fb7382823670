#include "gitsel/IgnoreList.h"

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
    m_tabled = m_patterns.size() >= kTablesFrom &&
               m_patterns.size() <= std::numeric_limits<std::uint32_t>::max();
    for (std::size_t i = 0; m_tabled && i < m_patterns.size(); ++i) {
        const Pattern& pattern = m_patterns[i];
        const auto place = static_cast<std::uint32_t>(i);
        if (pattern.form == Form::Text) {
            (pattern.byPath ? m_paths : m_names).Add(pattern.text, place);
        } else if (pattern.form == Form::Suffix) {
            m_suffixes.Add(pattern.text, place);
        } else {
            m_globs.push_back(place);
        }
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
    if (text.find_first_of(kWild) == std::string::npos) {
        pattern.form = Form::Text;
        pattern.text = text;
    } else if (!pattern.byPath && text.front() == '*' &&
               text.find_first_of(kWild, 1) == std::string::npos) {
        pattern.form = Form::Suffix;
        pattern.text = text.substr(1);
    } else if (std::string error; !pattern.glob.Parse(text, error)) {
        return;
    }
    m_patterns.push_back(std::move(pattern));
}

void IgnoreList::Latest(const TextPlaces& places, std::string_view text, bool ending, bool folder,
                        std::int64_t& best) const
{
    places.Offer(text, ending, [&](std::uint32_t place) {
        if (static_cast<std::int64_t>(place) <= best) {
            return true;  // the rest of this text's places come earlier still
        }
        if (!folder && m_patterns[place].foldersOnly) {
            return false;
        }
        best = place;
        return true;
    });
}

std::optional<bool> IgnoreList::MatchEach(std::string_view relative, std::string_view name,
                                          bool folder) const
{
    for (auto it = m_patterns.rbegin(); it != m_patterns.rend(); ++it) {
        if (!folder && it->foldersOnly) {
            continue;
        }
        const std::string_view text = it->byPath ? relative : name;
        const bool matches = it->form == Form::Text     ? text == it->text
                             : it->form == Form::Suffix ? text.ends_with(it->text)
                                                        : it->glob.Matches(text);
        if (matches) {
            return !it->keep;
        }
    }
    return std::nullopt;
}

std::optional<bool> IgnoreList::Match(std::string_view relative, bool folder) const
{
    const std::size_t slash = relative.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? relative : relative.substr(slash + 1);
    if (!m_tabled) {
        return MatchEach(relative, name, folder);
    }
    // The last pattern that matches decides: the latest place of each table's match, then
    // any later glob.
    std::int64_t best = -1;
    Latest(m_names, name, false, folder, best);
    Latest(m_paths, relative, false, folder, best);
    Latest(m_suffixes, name, true, folder, best);
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
