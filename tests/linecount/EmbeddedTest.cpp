#include "linecount/EmbeddedSplitter.h"

#include <gtest/gtest.h>

#include <string>

#include "linecount/EmbeddedLanguage.h"
#include "linecount/WideLanguages.h"

using namespace PrjHelper;

namespace {

// Each line's language as one letter: '.' the host's, else the first of the language's name.
std::string Split(EmbedHost host, const std::string& text)
{
    EmbeddedSplitter splitter(host);
    std::string kinds;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = std::min(text.find('\n', at), text.size());
        const std::int32_t lang = splitter.Line(std::string_view(text).substr(at, lf - at));
        kinds += lang == 0 ? '.' : GetAnyLanguageName(lang)[0];
        at = lf + 1;
    }
    return kinds;
}

std::string NameOf(std::int32_t lang)
{
    return lang == 0 ? "" : GetAnyLanguageName(lang);
}

}  // namespace

TEST(EmbeddedSplitter, MarkdownFencesFollowTheirOpeningLine)
{
    const struct
    {
        const char* text;
        const char* lines;
    } kCases[] = {
        {"```rust\nx\n```\ny", ".R.."},
        {"   ~~~ go\nx\n~~~  \t\nx", ".G.."},
        {"    ```rust\nx\n```", "..."},         // four spaces: indented code, no fence
        {"```rust `x`\nx\n```", "..."},         // a backtick in a backtick fence's word
        {"````py\n```\nx\n````", ".PP."},       // a shorter run does not close
        {"```py\nx\n``` no\nx\n```", ".PPP."},  // text after a run does not close
        {"~~~py\nx\n```\n~~~", ".PP."},         // another byte does not close
        {"```py\nx\ny", ".PP"},                 // unclosed: to the file's end
        {"```\nx\n```\n```c\nx", "....C"},      // no word: host lines
        {"```nosuchlanguage\nx\n```", "..."},
    };
    for (const auto& [text, lines] : kCases) {
        EXPECT_EQ(Split(EmbedHost::Markdown, text), lines) << text;
    }
}

TEST(EmbeddedSplitter, MarkupElementsHoldTheLinesBetweenTheirTags)
{
    const struct
    {
        EmbedHost host;
        const char* text;
        const char* lines;
    } kCases[] = {
        {EmbedHost::Html, "<SCRIPT>\nx\n</Script>", ".J."},
        {EmbedHost::Html, "<p><script>x</script><style>\na\n</style>", ".C."},
        {EmbedHost::Html, "<scripts>\nx\n</scripts>", "..."},
        {EmbedHost::Html, "<script src=\"a.js\" />\nx", ".."},
        {EmbedHost::Html, "<!-- <script>\nx\n--> <script>\ny\n</script>", "...J."},
        {EmbedHost::Html, "<script>var s = '<style>';</script>\nx", ".."},
        {EmbedHost::Html, "<script\n type=\"text/typescript\"\n>\nx\n</script>", "...T."},
        {EmbedHost::Html, "<template>\nx\n</template>", "..."},  // only Vue's is a block
        {EmbedHost::Vue, "<template>\n<template v-if=\"a\">\n</template>\n</template>\n<p>",
         ".HH.."},
        {EmbedHost::Svelte, "<script context=\"module\">\nx\n</script>\n{#if a}", ".J.."},
        {EmbedHost::None, "<script>\nx\n</script>", "..."},
    };
    for (const auto& [host, text, lines] : kCases) {
        EXPECT_EQ(Split(host, text), lines) << text;
    }
}

TEST(EmbeddedLanguage, WordsAndAttributesNameLanguages)
{
    const std::pair<const char*, const char*> kWords[] = {
        {"rust", "Rust"},      {"RS", "Rust"},   {"c++", "C++"},   {"cpp", "C++"},
        {"bash", "Shell"},     {"sh", "Shell"},  {"golang", "Go"}, {"py", "Python"},
        {"text", ""},          {"", ""},         {"x.rs", ""},     {"Makefile", ""},
        {"tsx", "TypeScript"}, {"scss", "SCSS"},
    };
    for (const auto& [word, name] : kWords) {
        EXPECT_EQ(NameOf(CodeLanguageOfWord(word)), name) << word;
    }
    const struct
    {
        const char* lang;
        const char* type;
        const char* name;
    } kScripts[] = {
        {"", "", "JavaScript"},
        {"", "module", "JavaScript"},
        {"", "TEXT/JavaScript", "JavaScript"},
        {"", "application/json", "JSON"},
        {"", "importmap", "JSON"},
        {"", "text/x-template", ""},
        {"ts", "", "TypeScript"},
        {"ts", "module", "TypeScript"},
        {"coffee", "", "CoffeeScript"},
    };
    for (const auto& [lang, type, name] : kScripts) {
        EXPECT_EQ(NameOf(ScriptLanguage(lang, type)), name) << lang << " " << type;
    }
    EXPECT_EQ(NameOf(StyleLanguage("")), "CSS");
    EXPECT_EQ(NameOf(StyleLanguage("less")), "Less");
    EXPECT_EQ(EmbedHostOf(WideLanguageOfName("a.svelte")), EmbedHost::Svelte);
    EXPECT_EQ(EmbedHostOf(WideLanguageOfName("a.rs")), EmbedHost::None);
}
