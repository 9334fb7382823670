#include "results/YamlFromJson.h"

#include <algorithm>
#include <array>

namespace lintally::results {

namespace {

using namespace std::string_view_literals;

// Words YAML 1.1 readers take for a boolean or null when bare.
constexpr std::array<std::string_view, 11> kTypedWords = {
    "y"sv, "n"sv, "yes"sv, "no"sv, "on"sv, "off"sv, "true"sv, "false"sv, "null"sv, "nan"sv, "inf"sv,
};

// A quoted JSON key without its quotes when YAML reads it bare as the same text.
bool IsBareKey(std::string_view key)
{
    if (key.empty() || key.front() < 'a' || key.front() > 'z') {
        return false;
    }
    const bool word = std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
    return word && std::find(kTypedWords.begin(), kTypedWords.end(), key) == kTypedWords.end();
}

// Characters JSON leaves raw that YAML readers would fold (line and paragraph separators) or
// refuse (the noncharacters U+FFFE and U+FFFF), with their escapes.
constexpr std::pair<std::string_view, std::string_view> kYamlEscapes[] = {
    {"\xE2\x80\xA8", "\\u2028"},
    {"\xE2\x80\xA9", "\\u2029"},
    {"\xEF\xBF\xBE", "\\ufffe"},
    {"\xEF\xBF\xBF", "\\uffff"},
};

void AppendYamlString(std::string& out, std::string_view quoted)
{
    std::size_t i = 0;
    while (i < quoted.size()) {
        const auto* const escape = std::find_if(
            std::begin(kYamlEscapes), std::end(kYamlEscapes),
            [&](const auto& pair) { return quoted.substr(i).starts_with(pair.first); });
        if (escape != std::end(kYamlEscapes)) {
            out.append(escape->second);
            i += escape->first.size();
        } else {
            out.push_back(quoted[i++]);
        }
    }
}

}  // namespace

void YamlFromJson::Feed(std::string_view json)
{
    for (const char c : json) {
        Take(c);
    }
}

void YamlFromJson::Take(char c)
{
    if (m_inString) {
        m_string.push_back(c);
        if (m_escaped) {
            m_escaped = false;
        } else if (c == '\\') {
            m_escaped = true;
        } else if (c == '"') {
            m_inString = false;
            EndString();
        }
        return;
    }
    if (m_inScalar) {
        if (c != ',' && c != '}' && c != ']' && c != ' ' && c != '\n') {
            m_out.push_back(c);
            return;
        }
        m_inScalar = false;
    }
    switch (c) {
    case '"':
        m_inString = true;
        m_string.assign(1, c);
        return;
    case '{':
    case '[':
        BeginValue(true, c == '[');
        return;
    case '}':
    case ']':
        Close();
        return;
    case ':':
        m_out.push_back(':');
        m_valueNext = true;
        return;
    case ',':
    case ' ':
    case '\n':
    case '\r':
    case '\t':
        return;
    default:
        BeginValue(false, false);
        m_out.push_back(c);
        m_inScalar = true;
    }
}

void YamlFromJson::EndString()
{
    const bool key = !m_levels.empty() && !m_levels.back().list && !m_valueNext;
    if (!key) {
        BeginValue(false, false);
        AppendYamlString(m_out, m_string);
        return;
    }
    BeginEntry(m_levels.back());
    const std::string_view bare = std::string_view(m_string).substr(1, m_string.size() - 2);
    if (IsBareKey(bare)) {
        m_out.append(bare);
    } else {
        AppendYamlString(m_out, m_string);
    }
}

void YamlFromJson::BeginEntry(Level& level)
{
    if (level.entries > 0 || !level.firstInline) {
        m_out.append("\n").append(level.indent, ' ');
    }
    if (level.list) {
        m_out.append("- ");
    }
    ++level.entries;
}

void YamlFromJson::BeginValue(bool open, bool list)
{
    Level child{list, 0, true, false, 0};
    if (!m_levels.empty()) {
        Level& parent = m_levels.back();
        if (parent.list) {
            BeginEntry(parent);
        } else if (!open) {
            m_out.push_back(' ');
        }
        child.indent = parent.indent + 2;
        child.firstInline = parent.list;
        child.afterKey = !parent.list;
    }
    m_valueNext = false;
    if (open) {
        m_levels.push_back(child);
    }
}

void YamlFromJson::Close()
{
    if (m_levels.empty()) {
        return;
    }
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (level.entries == 0) {
        m_out.append(level.afterKey ? " " : "").append(level.list ? "[]" : "{}");
    }
    if (m_levels.empty()) {
        m_out.push_back('\n');
    }
}

}  // namespace lintally::results
