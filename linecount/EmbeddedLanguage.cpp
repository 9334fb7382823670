#include "linecount/EmbeddedLanguage.h"

#include <algorithm>
#include <string>

#include "linecount/WideLanguages.h"

namespace PrjHelper {

namespace {

struct Alias
{
    std::string_view word;
    std::string_view language;
};

// Words people write in fences that are neither a language's name nor a suffix of it.
constexpr Alias kAliases[] = {
    {"bash", "Shell"},       {"c#", "C#"},       {"coffeescript", "CoffeeScript"},
    {"console", ""},         {"csharp", "C#"},   {"docker", "Dockerfile"},
    {"elisp", "Emacs Lisp"}, {"golang", "Go"},   {"objc", "Objective-C"},
    {"postcss", "CSS"},      {"shell", "Shell"}, {"shellsession", ""},
    {"stylus", "Stylus"},    {"text", ""},       {"typescript", "TypeScript"},
};

// MIME types of <script> that browsers run as JavaScript, and those that hold JSON.
constexpr std::string_view kJavaScriptTypes[] = {
    "",
    "application/ecmascript",
    "application/javascript",
    "application/x-javascript",
    "module",
    "text/babel",
    "text/ecmascript",
    "text/javascript",
    "text/jsx",
};
constexpr std::string_view kJsonTypes[] = {
    "application/json",
    "application/ld+json",
    "importmap",
    "speculationrules",
};
constexpr std::string_view kTypeScriptTypes[] = {"application/typescript", "text/typescript"};

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char byte) {
        return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
    });
    return lower;
}

std::int32_t IdOfName(std::string_view name)
{
    const std::int32_t index = WideLanguageIndex(name);
    return index < kWideLanguageCount ? kWideLanguageBase + index : 0;
}

template <std::size_t N>
bool OneOf(const std::string_view (&list)[N], std::string_view word)
{
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

}  // namespace

std::int32_t CodeLanguageOfWord(std::string_view word)
{
    if (word.empty() || word.size() > kWideSuffixMax + 16) {
        return 0;
    }
    const std::string lower = Lower(word);
    for (const Alias& alias : kAliases) {
        if (alias.word == lower) {
            return IdOfName(alias.language);
        }
    }
    for (std::int32_t i = 0; i < kWideLanguageCount; ++i) {
        if (Lower(kWideLanguages[i].name) == lower) {
            return kWideLanguageBase + i;
        }
    }
    // A suffix names the language as a file's suffix does; "x." keeps a dot-less word from
    // being taken for an exact file name.
    return lower.find('.') == std::string::npos ? WideLanguageOfName("x." + lower) : 0;
}

std::int32_t ScriptLanguage(std::string_view lang, std::string_view type)
{
    if (!lang.empty()) {
        return CodeLanguageOfWord(lang);
    }
    const std::string lower = Lower(type);
    if (OneOf(kJavaScriptTypes, lower)) {
        return IdOfName("JavaScript");
    }
    if (OneOf(kTypeScriptTypes, lower)) {
        return IdOfName("TypeScript");
    }
    return OneOf(kJsonTypes, lower) ? IdOfName("JSON") : 0;
}

std::int32_t StyleLanguage(std::string_view lang)
{
    return lang.empty() ? IdOfName("CSS") : CodeLanguageOfWord(lang);
}

}  // namespace PrjHelper
