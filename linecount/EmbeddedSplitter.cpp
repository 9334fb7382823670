#include "linecount/EmbeddedSplitter.h"

#include <algorithm>

#include "linecount/EmbeddedLanguage.h"
#include "linecount/WideLanguages.h"

namespace PrjHelper {

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct HostRow
{
    std::string_view language;
    EmbedHost host;
};

constexpr HostRow kHosts[] = {
    {"Markdown", EmbedHost::Markdown},
    {"HTML", EmbedHost::Html},
    {"Vue", EmbedHost::Vue},
    {"Svelte", EmbedHost::Svelte},
};

bool IsSpace(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\f' || byte == '\v';
}

char Lower(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// text holds word (lower case) at at, in any case.
bool HasWordAt(std::string_view text, std::size_t at, std::string_view word)
{
    if (text.size() - std::min(at, text.size()) < word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[at + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// A tag's name ends at white space, '/', '>' or the line's end.
bool EndsName(std::string_view text, std::size_t at)
{
    return at >= text.size() || IsSpace(text[at]) || text[at] == '/' || text[at] == '>';
}

bool HasTagAt(std::string_view text, std::size_t at, std::string_view name)
{
    return HasWordAt(text, at, name) && EndsName(text, at + name.size());
}

// The value of the attribute name (lower case) in a tag's attributes; empty when absent.
std::string_view AttributeValue(std::string_view attributes, std::string_view name)
{
    std::size_t at = 0;
    const auto skip = [&](auto isSkipped) {
        while (at < attributes.size() && isSkipped(attributes[at])) {
            ++at;
        }
    };
    while (at < attributes.size()) {
        skip([](char byte) { return IsSpace(byte) || byte == '/'; });
        const std::size_t start = at;
        skip([](char byte) { return !IsSpace(byte) && byte != '=' && byte != '/'; });
        const bool wanted = at - start == name.size() && HasWordAt(attributes, start, name);
        skip(IsSpace);
        if (at >= attributes.size() || attributes[at] != '=') {
            continue;
        }
        ++at;
        skip(IsSpace);
        std::size_t end = 0;
        if (at < attributes.size() && (attributes[at] == '"' || attributes[at] == '\'')) {
            const char quote = attributes[at++];
            end = std::min(attributes.find(quote, at), attributes.size());
        } else {
            end = at;
            while (end < attributes.size() && !IsSpace(attributes[end])) {
                ++end;
            }
        }
        if (wanted) {
            return attributes.substr(at, end - at);
        }
        at = end + 1;
    }
    return {};
}

// The first word of a fence's info string.
std::string_view InfoWord(std::string_view info)
{
    std::size_t at = 0;
    while (at < info.size() && IsSpace(info[at])) {
        ++at;
    }
    std::size_t end = at;
    while (end < info.size() && !IsSpace(info[end]) && info[end] != ',' && info[end] != '{') {
        ++end;
    }
    return info.substr(at, end - at);
}

// The indent (up to 3 spaces) and the run of one fence byte at a line's start; a run of 0
// when the line cannot be a fence.
struct FenceRun
{
    std::size_t at = 0;
    std::size_t size = 0;
};

FenceRun FenceAt(std::string_view line, char fence)
{
    FenceRun run;
    while (run.at < line.size() && run.at < 4 && line[run.at] == ' ') {
        ++run.at;
    }
    if (run.at > 3) {
        return {};
    }
    while (run.at + run.size < line.size() && line[run.at + run.size] == fence) {
        ++run.size;
    }
    return run.size >= 3 ? run : FenceRun{};
}

}  // namespace

EmbedHost EmbedHostOf(std::int32_t lang)
{
    const WideLanguage* language = GetWideLanguage(lang);
    for (const HostRow& row : kHosts) {
        if (language != nullptr && row.language == language->name) {
            return row.host;
        }
    }
    return EmbedHost::None;
}

std::int32_t EmbeddedSplitter::Line(std::string_view line)
{
    if (m_host == EmbedHost::None) {
        return 0;
    }
    if (m_host == EmbedHost::Markdown) {
        return MarkdownLine(line);
    }
    if (m_inBlock) {
        const std::size_t end = FindEnd(line);
        if (end == npos) {
            return m_lang;
        }
        m_inBlock = false;
        m_element = Element::None;
        ScanMarkup(line.substr(end));
    } else {
        ScanMarkup(line);
    }
    return 0;
}

std::int32_t EmbeddedSplitter::MarkdownLine(std::string_view line)
{
    if (m_fence != 0) {
        const FenceRun run = FenceAt(line, m_fence);
        if (run.size < m_fenceSize ||
            !std::all_of(line.begin() + static_cast<std::ptrdiff_t>(run.at + run.size), line.end(),
                         IsSpace)) {
            return m_lang;
        }
        m_fence = 0;
        return 0;
    }
    for (const char fence : {'`', '~'}) {
        const FenceRun run = FenceAt(line, fence);
        const std::string_view info = line.substr(run.at + run.size);
        if (run.size == 0 || (fence == '`' && info.find('`') != npos)) {
            continue;
        }
        m_fence = fence;
        m_fenceSize = run.size;
        m_lang = CodeLanguageOfWord(InfoWord(info));
        break;
    }
    return 0;
}

void EmbeddedSplitter::ScanMarkup(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        if (m_inTag) {
            const std::size_t close = text.find('>', at);
            const std::size_t end = std::min(close, text.size());
            m_attributes.append(
                text.substr(at, std::min(end - at, kAttributesMax - m_attributes.size())));
            if (close == npos) {
                return;
            }
            m_inTag = false;
            const std::size_t resume = BeginElement(text.substr(close + 1));
            if (resume == npos) {
                return;
            }
            at = close + 1 + resume;
            continue;
        }
        if (m_inComment) {
            const std::size_t close = text.find("-->", at);
            if (close == npos) {
                return;
            }
            m_inComment = false;
            at = close + 3;
            continue;
        }
        const std::size_t open = text.find('<', at);
        if (open == npos) {
            return;
        }
        at = open + 1;
        if (text.substr(open).starts_with("<!--")) {
            m_inComment = true;
            at = open + 4;
            continue;
        }
        constexpr std::pair<std::string_view, Element> kTags[] = {
            {"script", Element::Script},
            {"style", Element::Style},
            {"template", Element::Template},
        };
        for (const auto& [name, element] : kTags) {
            if ((element != Element::Template || m_host == EmbedHost::Vue) &&
                HasTagAt(text, at, name)) {
                m_element = element;
                m_inTag = true;
                m_attributes.clear();
                at += name.size();
                break;
            }
        }
    }
}

std::size_t EmbeddedSplitter::BeginElement(std::string_view text)
{
    const std::string_view attributes = m_attributes;
    const std::string_view lang = AttributeValue(attributes, "lang");
    const std::size_t last = attributes.find_last_not_of(" \t\r\f\v");
    if (last != npos && attributes[last] == '/') {
        m_element = Element::None;
        return 0;
    }
    m_lang = m_element == Element::Script ? ScriptLanguage(lang, AttributeValue(attributes, "type"))
             : m_element == Element::Style ? StyleLanguage(lang)
             : lang.empty()                ? CodeLanguageOfWord("html")
                                           : CodeLanguageOfWord(lang);
    m_depth = 0;
    const std::size_t end = FindEnd(text);
    m_inBlock = end == npos;
    if (!m_inBlock) {
        m_element = Element::None;
    }
    return end;
}

std::size_t EmbeddedSplitter::FindEnd(std::string_view text)
{
    const std::string_view name = m_element == Element::Script  ? "/script"
                                  : m_element == Element::Style ? "/style"
                                                                : "/template";
    for (std::size_t at = text.find('<'); at != npos; at = text.find('<', at + 1)) {
        if (HasWordAt(text, at + 1, name) && EndsName(text, at + 1 + name.size())) {
            if (m_depth == 0) {
                return at;
            }
            --m_depth;
        } else if (m_element == Element::Template && HasTagAt(text, at + 1, "template")) {
            ++m_depth;
        }
    }
    return npos;
}

}  // namespace PrjHelper
