#include "linecount/ContentLanguage.h"

#include <array>
#include <initializer_list>

#include "linecount/HeadLines.h"
#include "linecount/WideLanguages.h"

namespace PrjHelper {

namespace {

constexpr std::int32_t Id(std::string_view name)
{
    return kWideLanguageBase + WideLanguageIndex(name);
}

constexpr std::int32_t kC = Id("C");
constexpr std::int32_t kCpp = Id("C++");
constexpr std::int32_t kObjectiveC = Id("Objective-C");
constexpr std::int32_t kMatlab = Id("MATLAB");
constexpr std::int32_t kPerl = Id("Perl");
constexpr std::int32_t kProlog = Id("Prolog");
constexpr std::int32_t kXml = Id("XML");
constexpr std::int32_t kTypeScript = Id("TypeScript");
constexpr std::int32_t kVerilog = Id("Verilog");
constexpr std::int32_t kCoq = Id("Coq");
constexpr std::int32_t kPhp = Id("PHP");
constexpr std::int32_t kPascal = Id("Pascal");
constexpr std::int32_t kAssembly = Id("Assembly (Intel)");
static_assert(IsWideLanguage(kC) && IsWideLanguage(kCpp) && IsWideLanguage(kObjectiveC) &&
                  IsWideLanguage(kMatlab) && IsWideLanguage(kPerl) && IsWideLanguage(kProlog) &&
                  IsWideLanguage(kXml) && IsWideLanguage(kTypeScript) && IsWideLanguage(kVerilog) &&
                  IsWideLanguage(kCoq) && IsWideLanguage(kPhp) && IsWideLanguage(kPascal) &&
                  IsWideLanguage(kAssembly),
              "every language the rules give is in the wide table");

using Words = std::initializer_list<std::string_view>;

bool IsWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether text begins with word as a whole word; in any case when foldCase.
bool BeginsWithWord(std::string_view text, std::string_view word, bool foldCase = false)
{
    if (text.size() < word.size() ||
        (text.size() > word.size() && IsWordByte(word.back()) && IsWordByte(text[word.size()])))
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if ((foldCase ? LowerAscii(text[i]) : text[i]) != word[i])
            return false;
    }
    return true;
}

bool BeginsWithAny(std::string_view line, Words words, bool foldCase = false)
{
    for (const std::string_view word : words) {
        if (BeginsWithWord(line, word, foldCase))
            return true;
    }
    return false;
}

template <typename Test>
bool AnyLine(std::string_view head, Test test)
{
    return AnyHeadLine(head.substr(0, kContentRuleBytes), test);
}

// The same for the lines whose first byte may begin one that test gives true for.
template <typename May, typename Test>
bool AnyLine(std::string_view head, May may, Test test)
{
    return AnyHeadLine(head.substr(0, kContentRuleBytes), may, test);
}

std::string_view TrimStart(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// The line after its first word and the blanks that follow it.
std::string_view AfterFirstWord(std::string_view line)
{
    std::size_t at = 0;
    while (at < line.size() && line[at] != ' ' && line[at] != '\t')
        ++at;
    return TrimStart(line.substr(at));
}

// The line after its leading '#' and the blanks after it; empty for any other line.
std::string_view Directive(std::string_view line)
{
    return line.starts_with('#') ? TrimStart(line.substr(1)) : std::string_view();
}

bool ObjectiveCLine(std::string_view line)
{
    if (line.front() == '#')
        return BeginsWithWord(line, "#import");
    return line.front() == '@' && BeginsWithAny(line, {"@interface", "@implementation", "@protocol",
                                                       "@class", "@property", "@end", "@import"});
}

// Whether the head holds "std::" (on any line: the text holds no line break). The look goes
// from ':' to ':', a byte rare in most files, where a plain find stops at every 's'.
bool NamesStd(std::string_view head)
{
    head = head.substr(0, kContentRuleBytes);
    for (std::size_t colon = head.find(':', 3); colon != std::string_view::npos;
         colon = head.find(':', colon + 1)) {
        if (head.substr(colon - 3, 5) == "std::")
            return true;
    }
    return false;
}

// The C++ rules that look at one line's start ("std::" is looked for once, by NamesStd).
bool CppLine(std::string_view line)
{
    switch (line.front()) {
    case '#': {
        const std::string_view directive = Directive(line);
        if (!BeginsWithWord(directive, "include"))
            return false;
        const std::string_view name = TrimStart(directive.substr(7));
        const std::size_t close = name.find('>');
        return name.starts_with('<') && close != std::string_view::npos &&
               name.substr(0, close).find('.') == std::string_view::npos;
    }
    case 'c':
        if (BeginsWithWord(line, "class")) {
            const std::string_view name = AfterFirstWord(line);
            return !name.empty() && IsWordByte(name.front());
        }
        return false;
    case 'n':
        return BeginsWithWord(line, "namespace");
    case 'p':
        return BeginsWithAny(line, {"public:", "private:", "protected:"});
    case 't':
        return BeginsWithWord(line, "template") && TrimStart(line.substr(8)).starts_with('<');
    case 'u':
        return BeginsWithWord(line, "using") && BeginsWithWord(AfterFirstWord(line), "namespace");
    default:
        return false;
    }
}

// Whether a line beginning with first may be an Objective-C or a C++ line of a header.
bool MayBeHeaderLine(char first)
{
    static constexpr auto kFirst = [] {
        std::array<bool, 256> first{};
        for (const unsigned char byte : std::string_view("#@cnptu"))
            first[byte] = true;
        return first;
    }();
    return kFirst[static_cast<unsigned char>(first)];
}

// One pass: an Objective-C line anywhere decides, a C++ line is only remembered. Every
// Objective-C line begins with '@' or is #import, so once a C++ line is found the lines after
// it are looked at only when '@' or "#import" follows. "std::" is looked for only when no line
// has decided.
std::int32_t Header(std::string_view head)
{
    head = head.substr(0, kContentRuleBytes);
    const char* const end = head.data() + head.size();
    bool cpp = false;
    bool objectiveC = false;
    AnyLine(head, MayBeHeaderLine, [&](std::string_view line) {
        // Of the directives only #import and #include are looked at: after the '#' come "im",
        // "in" or a blank. The others (#define, #endif, #ifndef) end the look here.
        if (line.front() == '#' && !line.starts_with("#im") && !line.starts_with("#in") &&
            !line.starts_with("# ") && !line.starts_with("#\t"))
            return false;
        if (ObjectiveCLine(line)) {
            objectiveC = true;
            return true;
        }
        if (cpp || !CppLine(line))
            return false;
        cpp = true;
        const std::string_view rest(line.data() + line.size(),
                                    static_cast<std::size_t>(end - line.data()) - line.size());
        return rest.find('@') == std::string_view::npos &&
               rest.find("#import") == std::string_view::npos;
    });
    if (objectiveC)
        return kObjectiveC;
    return cpp || NamesStd(head) ? kCpp : kC;
}

std::int32_t ObjectiveCOrMatlab(std::string_view head)
{
    if (AnyLine(head, [](std::string_view line) {
            return ObjectiveCLine(line) || BeginsWithWord(Directive(line), "include");
        }))
        return kObjectiveC;
    if (AnyLine(head, [](std::string_view line) {
            return line.starts_with('%') || BeginsWithAny(line, {"function", "classdef"});
        }))
        return kMatlab;
    return kObjectiveC;
}

// One pass: a line that begins with a Perl word decides, a Prolog rule (":-" on a line that
// is no '#' comment) is only remembered.
std::int32_t PerlOrProlog(std::string_view head)
{
    if (WideLanguageOfShebang(head.substr(0, head.find('\n'))) == kPerl)
        return kPerl;
    // Without ":-" anywhere no line is Prolog's, and Perl it is whatever the lines begin with.
    if (head.substr(0, kContentRuleBytes).find(":-") == std::string_view::npos)
        return kPerl;
    bool prolog = false;
    if (AnyLine(head, [&prolog](std::string_view line) {
            if (BeginsWithAny(line, {"use ", "my ", "our ", "sub ", "package "}))
                return true;
            prolog = prolog || (line.front() != '#' && line.find(":-") != std::string_view::npos);
            return false;
        }))
        return kPerl;
    return prolog ? kProlog : kPerl;
}

std::int32_t TypeScriptOrLinguist(std::string_view head)
{
    head = head.substr(0, kContentRuleBytes);
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    const std::size_t text = head.find_first_not_of(" \t\r\n");
    const bool xml = text != std::string_view::npos && head[text] == '<' &&
                     head.find("<TS") != std::string_view::npos;
    return xml ? kXml : kTypeScript;
}

std::int32_t VerilogOrCoq(std::string_view head)
{
    if (AnyLine(head, [](std::string_view line) {
            return line.starts_with('`') || BeginsWithAny(line, {"module", "endmodule"});
        }))
        return kVerilog;
    if (AnyLine(head, [](std::string_view line) {
            return BeginsWithAny(line, {"Require", "From", "Theorem", "Lemma", "Proof.", "Qed.",
                                        "Definition", "Fixpoint", "Inductive", "Notation"});
        }))
        return kCoq;
    return kVerilog;
}

bool PreprocessorLine(std::string_view line)
{
    return BeginsWithAny(Directive(line), {"include", "define", "if", "ifdef", "ifndef", "pragma"});
}

std::int32_t IncludedFile(std::string_view head)
{
    if (AnyLine(head, [](std::string_view line) {
            return BeginsWithAny(line, {"<?php", "<?="}) || line == "<?" ||
                   line.starts_with("<? ") || line.starts_with("<?\t");
        }))
        return kPhp;
    if (AnyLine(head, [](std::string_view line) {
            return line.starts_with("{$") ||
                   BeginsWithAny(line,
                                 {"unit", "uses", "procedure", "function", "begin", "end;", "end."},
                                 true);
        }))
        return kPascal;
    if (NamesStd(head) || AnyLine(head, [](std::string_view line) {
            return PreprocessorLine(line) || line.starts_with("//") || line.starts_with("/*") ||
                   CppLine(line);
        }))
        return kCpp;
    if (AnyLine(head, [](std::string_view line) {
            return line.starts_with(';') || line.starts_with('%') ||
                   BeginsWithAny(line, {"section", "segment", "bits"}, true) ||
                   BeginsWithAny(AfterFirstWord(line),
                                 {"equ", "db", "dw", "dd", "dq", "macro", "proc", "struc"}, true);
        }))
        return kAssembly;
    return 0;
}

}  // namespace

struct SharedSuffix
{
    std::string_view suffix;
    std::int32_t (*decide)(std::string_view head);
};

namespace {

constexpr SharedSuffix kSharedSuffixes[] = {
    {"h", Header},        {"inc", IncludedFile},        {"m", ObjectiveCOrMatlab},
    {"pl", PerlOrProlog}, {"ts", TypeScriptOrLinguist}, {"v", VerilogOrCoq},
};

constexpr std::size_t kSharedSuffixMax = 3;

}  // namespace

const SharedSuffix* FindSharedSuffix(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || fileName.size() - dot - 1 > kSharedSuffixMax)
        return nullptr;
    char lower[kSharedSuffixMax];
    const std::string_view given = fileName.substr(dot + 1);
    if (given.find_first_of("/\\") != std::string_view::npos)
        return nullptr;
    for (std::size_t i = 0; i < given.size(); ++i)
        lower[i] = LowerAscii(given[i]);
    const std::string_view suffix(lower, given.size());
    for (const SharedSuffix& shared : kSharedSuffixes) {
        if (shared.suffix == suffix)
            return &shared;
    }
    return nullptr;
}

std::int32_t WideLanguageOfHead(const SharedSuffix& suffix, std::string_view head)
{
    return suffix.decide(head);
}

}  // namespace PrjHelper
