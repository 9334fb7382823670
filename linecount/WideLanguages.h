// The wide language table: over a hundred languages in common use, each with its display
// name, the name suffixes and exact file names that lead to it, and its comment syntax.
//
// Constant data built into the program; every function here is pure and may be called from
// any thread. The command line counts with it on request; the dialog never does.
//
// Language ids: a wide language is known by kWideLanguageBase + its index in kWideLanguages,
// so its id never collides with the design table's ids (0 stays "no comment markers").
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "linecount/LanguageTable.h"

namespace PrjHelper {

// A comment block from open to close. Nesting blocks count their depth: each open inside
// the block goes one deeper, and only the close at depth one ends it. A pair whose open and
// close are the same text (CoffeeScript's ###) never nests. Null texts mean "no pair".
struct BlockMarkers
{
    const char* open = nullptr;
    const char* close = nullptr;
    bool nests = false;
};

// Lexical rules a language follows beyond its markers and quotes (WideLanguage::rules).
namespace wide_rule {
// A '/' where an operand may begin opens a regular expression (JavaScript, TypeScript, Ruby).
inline constexpr std::uint16_t kRegex = 1 << 0;
// "${" in a backquoted string opens code up to its matching '}' (JavaScript, TypeScript).
inline constexpr std::uint16_t kTemplates = 1 << 1;
// "$(" in a double-quoted string opens code up to its matching ')' (the shell).
inline constexpr std::uint16_t kSubstitutions = 1 << 10;
// Rust: r"..." and r#"..."# raw strings; 'x' character literals beside 'a lifetimes.
inline constexpr std::uint16_t kRustLiterals = 1 << 2;
// Heredocs: the shell's (<<EOF, <<-EOF, << 'EOF'), Ruby's (<<~EOS, <<-EOS, <<EOS, <<"EOS")
// and Perl's (Ruby's, and << "EOS").
inline constexpr std::uint16_t kShellHeredocs = 1 << 3;
inline constexpr std::uint16_t kRubyHeredocs = 1 << 4;
inline constexpr std::uint16_t kPerlHeredocs = 1 << 8;
// Regular expressions may run on over lines (Ruby's).
inline constexpr std::uint16_t kLongRegex = 1 << 9;
// Ruby's %-literals (%w[...], %q{...}, %(...)), brackets nesting.
inline constexpr std::uint16_t kPercentLiterals = 1 << 5;
// The shell: '#' opens a comment only at a word's start; a backslash in code escapes a byte.
// Its backquotes hold commands, read as code is.
inline constexpr std::uint16_t kShellWords = 1 << 6;
// Ruby: a word, white space and then a '/' or '%' not followed by white space passes the
// word a literal ("puts /x/").
inline constexpr std::uint16_t kSpacedArguments = 1 << 7;
}  // namespace wide_rule

struct WideLanguage
{
    const char* name = "";
    // Name suffixes (the text after the name's last '.', lower case) and exact file names,
    // each list separated by single spaces.
    const char* suffixes = "";
    const char* fileNames = "";
    // Comments that run to the line's end; null when absent.
    const char* single[2] = {nullptr, nullptr};
    BlockMarkers blocks[2] = {};
    // Python-style docstrings: """ or ''' as the first text of a line opens a comment that
    // the same three quotes close. The same quotes after other text open a string.
    bool docstrings = false;
    // Bytes that open a string closed by the same byte, a backslash escaping the next byte.
    // Strings opened by `quotes` end at the line's end at the latest; those opened by
    // `spanQuotes` may run on over lines. Markers inside strings are text.
    const char* quotes = "";
    const char* spanQuotes = "";
    // A block whose marker lines begin in the line's first column: Perl's POD (a line
    // beginning "=" opens it, a line beginning "=cut" ends it) and Ruby's =begin / =end.
    // Both marker lines are comment lines.
    BlockMarkers columnBlock = {};
    // A line that is one of these words, from its first column, ends the program text
    // (Perl's and Ruby's __END__): it and every later line are comment.
    const char* endOfCode[2] = {nullptr, nullptr};
    // Bytes that open a string closed by the same byte, without escapes, that may run on over
    // lines (Go's raw strings, the shell's single quotes).
    const char* rawQuotes = "";
    // wide_rule bits.
    std::uint16_t rules = 0;
};

inline constexpr std::int32_t kWideLanguageBase = 1000;
// No marker is longer than kWideMarkerMax bytes, no suffix longer than kWideSuffixMax.
inline constexpr std::size_t kWideMarkerMax = 8;
inline constexpr std::size_t kWideSuffixMax = 16;

namespace wide_detail {
inline constexpr const char* kCQuotes = "\"'";
inline constexpr BlockMarkers kCBlock{"/*", "*/"};
inline constexpr BlockMarkers kCNested{"/*", "*/", true};
inline constexpr BlockMarkers kXmlBlock{"<!--", "-->"};
inline constexpr BlockMarkers kMlBlock{"(*", "*)", true};
inline constexpr BlockMarkers kHaskellBlock{"{-", "-}", true};
inline constexpr BlockMarkers kLispBlock{"#|", "|#", true};
inline constexpr std::uint16_t kJsRules = wide_rule::kRegex | wide_rule::kTemplates;
}  // namespace wide_detail

// Sorted by name.
inline constexpr WideLanguage kWideLanguages[] = {
    // clang-format off
    {.name = "ActionScript", .suffixes = "as", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Ada", .suffixes = "ada adb ads", .single = {"--"}, .quotes = "\""},
    {.name = "Agda", .suffixes = "agda", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "ANTLR Grammar", .suffixes = "g4", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Arduino Sketch", .suffixes = "ino pde", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "ASP", .suffixes = "asp", .single = {"'"}},
    {.name = "ASP.NET", .suffixes = "ascx asmx aspx", .blocks = {{"<%--", "--%>"}, wide_detail::kXmlBlock}},
    {.name = "Assembly", .suffixes = "s", .single = {"//", "#"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Assembly (Intel)", .suffixes = "asm", .single = {";"}},
    {.name = "AWK", .suffixes = "awk", .single = {"#"}},
    {.name = "Bazel", .suffixes = "bazel bzl", .fileNames = "BUILD WORKSPACE", .single = {"#"}, .docstrings = true, .quotes = wide_detail::kCQuotes},
    {.name = "C", .suffixes = "c", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "C Shell", .suffixes = "csh tcsh", .single = {"#"}},
    {.name = "C#", .suffixes = "cs", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "C++", .suffixes = "c++ cc cpp cxx inl ipp tcc tpp", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "C/C++ Header", .suffixes = "h h++ hh hpp hxx", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Cap'n Proto", .suffixes = "capnp", .single = {"#"}},
    {.name = "Clojure", .suffixes = "clj cljc cljs edn", .single = {";"}},
    {.name = "CMake", .suffixes = "cmake", .fileNames = "CMakeLists.txt", .single = {"#"}, .blocks = {{"#[[", "]]"}}},
    {.name = "COBOL", .suffixes = "cbl cob cpy", .single = {"*>"}},
    {.name = "CoffeeScript", .suffixes = "coffee", .single = {"#"}, .blocks = {{"###", "###"}}, .quotes = wide_detail::kCQuotes},
    {.name = "Common Lisp", .suffixes = "lisp lsp", .single = {";"}, .blocks = {wide_detail::kLispBlock}},
    {.name = "Coq", .blocks = {wide_detail::kMlBlock}, .quotes = "\""},
    {.name = "Crystal", .suffixes = "cr", .single = {"#"}},
    {.name = "CSS", .suffixes = "css", .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "CUDA", .suffixes = "cu cuh", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Cython", .suffixes = "pxd pxi pyx", .single = {"#"}, .docstrings = true, .quotes = wide_detail::kCQuotes},
    {.name = "D", .suffixes = "d di", .single = {"//"}, .blocks = {wide_detail::kCBlock, {"/+", "+/", true}}, .quotes = "\""},
    {.name = "Dart", .suffixes = "dart", .single = {"//"}, .blocks = {wide_detail::kCNested}, .quotes = wide_detail::kCQuotes},
    {.name = "Device Tree", .suffixes = "dts dtsi", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "Dhall", .suffixes = "dhall", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "Dockerfile", .suffixes = "dockerfile", .fileNames = "Containerfile Dockerfile", .single = {"#"}},
    {.name = "DOS Batch", .suffixes = "bat cmd", .single = {"::", "REM"}},
    {.name = "Elixir", .suffixes = "ex exs", .single = {"#"}},
    {.name = "Elm", .suffixes = "elm", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "Emacs Lisp", .suffixes = "el", .single = {";"}},
    {.name = "Erlang", .suffixes = "erl hrl", .single = {"%"}},
    {.name = "F#", .suffixes = "fs fsi fsx", .single = {"//"}, .blocks = {wide_detail::kMlBlock}, .quotes = "\""},
    {.name = "Fennel", .suffixes = "fnl", .single = {";"}},
    {.name = "Fish", .suffixes = "fish", .single = {"#"}},
    {.name = "Fortran 90", .suffixes = "f03 f08 f90 f95", .single = {"!"}},
    {.name = "GDScript", .suffixes = "gd", .single = {"#"}},
    {.name = "Gettext", .suffixes = "po pot", .single = {"#"}},
    {.name = "Gherkin", .suffixes = "feature", .single = {"#"}},
    {.name = "GLSL", .suffixes = "frag glsl vert", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Gnuplot", .suffixes = "gnuplot gp plt", .single = {"#"}},
    {.name = "Go", .suffixes = "go", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes, .rawQuotes = "`"},
    {.name = "GraphQL", .suffixes = "gql graphql", .single = {"#"}},
    {.name = "Groovy", .suffixes = "gradle groovy gvy", .fileNames = "Jenkinsfile", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Handlebars", .suffixes = "handlebars hbs", .blocks = {{"{{!--", "--}}"}, {"{{!", "}}"}}},
    {.name = "Haskell", .suffixes = "hs", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "Haxe", .suffixes = "hx", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "HCL", .suffixes = "hcl tf tfvars", .single = {"#", "//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "HLSL", .suffixes = "fx hlsl", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "HTML", .suffixes = "htm html xhtml", .blocks = {wide_detail::kXmlBlock}},
    {.name = "Idris", .suffixes = "idr", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "INI", .suffixes = "ini", .single = {";", "#"}},
    {.name = "Inno Setup", .suffixes = "iss", .single = {";"}},
    {.name = "Java", .suffixes = "java", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "JavaScript", .suffixes = "cjs js mjs", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes, .spanQuotes = "`", .rules = wide_detail::kJsRules},
    {.name = "JSON", .suffixes = "json"},
    {.name = "Jsonnet", .suffixes = "jsonnet libsonnet", .single = {"//", "#"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "JSP", .suffixes = "jsp", .blocks = {{"<%--", "--%>"}, wide_detail::kXmlBlock}},
    {.name = "JSX", .suffixes = "jsx", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes, .spanQuotes = "`", .rules = wide_detail::kJsRules},
    {.name = "Julia", .suffixes = "jl", .single = {"#"}, .blocks = {{"#=", "=#", true}}},
    {.name = "Kotlin", .suffixes = "kt kts", .single = {"//"}, .blocks = {wide_detail::kCNested}, .quotes = wide_detail::kCQuotes},
    {.name = "Lean", .suffixes = "lean", .single = {"--"}, .blocks = {{"/-", "-/", true}}},
    {.name = "Less", .suffixes = "less", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Lex", .suffixes = "l lex", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Linker Script", .suffixes = "ld lds", .blocks = {wide_detail::kCBlock}},
    {.name = "Lua", .suffixes = "lua", .single = {"--"}, .blocks = {{"--[[", "]]"}}, .quotes = wide_detail::kCQuotes},
    {.name = "m4", .suffixes = "ac m4", .single = {"dnl", "#"}},
    {.name = "make", .suffixes = "mak mk", .fileNames = "GNUmakefile Makefile makefile", .single = {"#"}},
    {.name = "Markdown", .suffixes = "markdown md", .blocks = {wide_detail::kXmlBlock}},
    {.name = "Mathematica", .suffixes = "wl wls", .blocks = {wide_detail::kMlBlock}},
    {.name = "MATLAB", .single = {"%"}, .blocks = {{"%{", "%}"}}},
    {.name = "Meson", .fileNames = "meson.build meson_options.txt", .single = {"#"}},
    {.name = "Metal", .suffixes = "metal", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Nim", .suffixes = "nim nims", .single = {"#"}, .blocks = {{"#[", "]#", true}}},
    {.name = "Nix", .suffixes = "nix", .single = {"#"}, .blocks = {wide_detail::kCBlock}},
    {.name = "NSIS", .suffixes = "nsh nsi", .single = {"#", ";"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Objective-C", .suffixes = "m", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Objective-C++", .suffixes = "mm", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "OCaml", .suffixes = "ml mli mll mly", .blocks = {wide_detail::kMlBlock}, .quotes = "\""},
    {.name = "Odin", .suffixes = "odin", .single = {"//"}, .blocks = {wide_detail::kCNested}, .quotes = "\""},
    {.name = "OpenSCAD", .suffixes = "scad", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Pascal", .suffixes = "dpr lpr pas pp", .single = {"//"}, .blocks = {{"{", "}"}, {"(*", "*)"}}, .quotes = "'"},
    {.name = "Perl", .suffixes = "perl pl pm t", .single = {"#"}, .columnBlock = {"=", "=cut"}, .endOfCode = {"__END__", "__DATA__"}, .rules = wide_rule::kPerlHeredocs},
    {.name = "PHP", .suffixes = "php php3 php4 php5 phtml", .single = {"//", "#"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "PowerShell", .suffixes = "ps1 psd1 psm1", .single = {"#"}, .blocks = {{"<#", "#>"}}},
    {.name = "Prolog", .suffixes = "prolog", .single = {"%"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "Properties", .suffixes = "properties", .single = {"#", "!"}},
    {.name = "Protocol Buffers", .suffixes = "proto", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "PureScript", .suffixes = "purs", .single = {"--"}, .blocks = {wide_detail::kHaskellBlock}},
    {.name = "Python", .suffixes = "py pyi pyw", .fileNames = "SConscript SConstruct", .single = {"#"}, .docstrings = true, .quotes = wide_detail::kCQuotes},
    {.name = "QML", .suffixes = "qml", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "R", .suffixes = "r", .single = {"#"}},
    {.name = "Racket", .suffixes = "rkt", .single = {";"}, .blocks = {wide_detail::kLispBlock}},
    {.name = "Raku", .suffixes = "p6 pm6 raku rakumod", .single = {"#"}},
    {.name = "Razor", .suffixes = "cshtml razor", .blocks = {{"@*", "*@"}, wide_detail::kXmlBlock}},
    {.name = "ReasonML", .suffixes = "re rei", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "Ruby", .suffixes = "gemspec rake rb", .fileNames = "Brewfile Gemfile Podfile Rakefile Vagrantfile", .single = {"#"}, .spanQuotes = "\"'`", .columnBlock = {"=begin", "=end"}, .endOfCode = {"__END__"}, .rules = wide_rule::kRegex | wide_rule::kLongRegex | wide_rule::kRubyHeredocs | wide_rule::kPercentLiterals | wide_rule::kSpacedArguments},
    {.name = "Rust", .suffixes = "rs", .single = {"//"}, .blocks = {wide_detail::kCNested}, .spanQuotes = "\"", .rules = wide_rule::kRustLiterals},
    {.name = "Sass", .suffixes = "sass", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Scala", .suffixes = "sc scala", .single = {"//"}, .blocks = {wide_detail::kCNested}, .quotes = "\""},
    {.name = "Scheme", .suffixes = "scm sld ss", .single = {";"}, .blocks = {wide_detail::kLispBlock}},
    {.name = "SCSS", .suffixes = "scss", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "sed", .suffixes = "sed", .single = {"#"}},
    {.name = "Shell", .suffixes = "bash ksh sh", .fileNames = "PKGBUILD", .single = {"#"}, .spanQuotes = "\"", .rawQuotes = "'", .rules = wide_rule::kShellHeredocs | wide_rule::kShellWords | wide_rule::kSubstitutions},
    {.name = "Smalltalk", .suffixes = "st", .blocks = {{"\"", "\""}}, .quotes = "'"},
    {.name = "Solidity", .suffixes = "sol", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "SQL", .suffixes = "sql", .single = {"--"}, .blocks = {wide_detail::kCBlock}, .quotes = "'"},
    {.name = "Standard ML", .suffixes = "sig sml", .blocks = {wide_detail::kMlBlock}, .quotes = "\""},
    {.name = "Stylus", .suffixes = "styl", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "Svelte", .suffixes = "svelte", .single = {"//"}, .blocks = {wide_detail::kXmlBlock, wide_detail::kCBlock}},
    {.name = "SVG", .suffixes = "svg", .blocks = {wide_detail::kXmlBlock}},
    {.name = "Swift", .suffixes = "swift", .single = {"//"}, .blocks = {wide_detail::kCNested}, .quotes = "\""},
    {.name = "SystemVerilog", .suffixes = "sv svh", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "Tcl", .suffixes = "itcl tcl tk", .single = {"#"}},
    {.name = "TeX", .suffixes = "bbx cbx dtx ins sty tex", .single = {"%"}},
    {.name = "Thrift", .suffixes = "thrift", .single = {"//", "#"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "TOML", .suffixes = "toml", .single = {"#"}},
    {.name = "Twig", .suffixes = "twig", .blocks = {{"{#", "#}"}, wide_detail::kXmlBlock}},
    {.name = "TypeScript", .suffixes = "cts mts ts tsx", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes, .spanQuotes = "`", .rules = wide_detail::kJsRules},
    {.name = "Vala", .suffixes = "vala vapi", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = wide_detail::kCQuotes},
    {.name = "VB.NET", .suffixes = "vb", .single = {"'"}},
    {.name = "VBScript", .suffixes = "bas frm vbs", .single = {"'"}},
    {.name = "Verilog", .suffixes = "v vh", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "VHDL", .suffixes = "vhd vhdl", .single = {"--"}},
    {.name = "Vim Script", .suffixes = "vim", .single = {"\""}},
    {.name = "Vue", .suffixes = "vue", .single = {"//"}, .blocks = {wide_detail::kXmlBlock, wide_detail::kCBlock}},
    {.name = "WGSL", .suffixes = "wgsl", .single = {"//"}, .blocks = {wide_detail::kCNested}},
    {.name = "Windows Resource", .suffixes = "rc", .single = {"//"}, .blocks = {wide_detail::kCBlock}, .quotes = "\""},
    {.name = "XAML", .suffixes = "xaml", .blocks = {wide_detail::kXmlBlock}},
    {.name = "XML", .suffixes = "plist xml xsd", .blocks = {wide_detail::kXmlBlock}},
    {.name = "XSLT", .suffixes = "xsl xslt", .blocks = {wide_detail::kXmlBlock}},
    {.name = "Yacc", .suffixes = "y yacc yy", .single = {"//"}, .blocks = {wide_detail::kCBlock}},
    {.name = "YAML", .suffixes = "yaml yml", .single = {"#"}},
    {.name = "Zig", .suffixes = "zig", .single = {"//"}, .quotes = wide_detail::kCQuotes},
    {.name = "Zsh", .suffixes = "zsh", .single = {"#"}},
    // clang-format on
};

inline constexpr std::int32_t kWideLanguageCount =
    static_cast<std::int32_t>(sizeof(kWideLanguages) / sizeof(kWideLanguages[0]));

// An interpreter named on a "#!" line, and the language of a script it runs.
struct InterpreterRow
{
    const char* interpreter;
    const char* language;
};

// Sorted by interpreter. Names are compared after a trailing version ("python3.11") is cut.
inline constexpr InterpreterRow kInterpreters[] = {
    {"ash", "Shell"},       {"awk", "AWK"},           {"bash", "Shell"}, {"csh", "C Shell"},
    {"dash", "Shell"},      {"fish", "Fish"},         {"gawk", "AWK"},   {"ksh", "Shell"},
    {"lua", "Lua"},         {"make", "make"},         {"mawk", "AWK"},   {"mksh", "Shell"},
    {"node", "JavaScript"}, {"nodejs", "JavaScript"}, {"perl", "Perl"},  {"php", "PHP"},
    {"pwsh", "PowerShell"}, {"python", "Python"},     {"rake", "Ruby"},  {"raku", "Raku"},
    {"Rscript", "R"},       {"ruby", "Ruby"},         {"sed", "sed"},    {"sh", "Shell"},
    {"tclsh", "Tcl"},       {"tcsh", "C Shell"},      {"wish", "Tcl"},   {"zsh", "Zsh"},
};

// The index in kWideLanguages of the language named name; kWideLanguageCount when none is.
[[nodiscard]] constexpr std::int32_t WideLanguageIndex(std::string_view name)
{
    for (std::int32_t i = 0; i < kWideLanguageCount; ++i) {
        if (name == kWideLanguages[i].name)
            return i;
    }
    return kWideLanguageCount;
}

// One entry of a lookup table: a suffix, file name or interpreter, and its language index.
struct WideNameRow
{
    std::string_view key;
    std::int32_t language;
};

namespace wide_detail {

// Calls visit(word) for each space-separated word of list.
template <typename Visit>
constexpr void ForEachWord(std::string_view list, Visit visit)
{
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(' '), list.size());
        visit(list.substr(0, end));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
}

template <bool FileNames>
constexpr std::size_t CountWords()
{
    std::size_t count = 0;
    for (const WideLanguage& language : kWideLanguages)
        ForEachWord(FileNames ? language.fileNames : language.suffixes,
                    [&](std::string_view) { ++count; });
    return count;
}

template <bool FileNames>
constexpr auto SortedWords()
{
    std::array<WideNameRow, CountWords<FileNames>()> rows{};
    std::size_t at = 0;
    for (std::int32_t i = 0; i < kWideLanguageCount; ++i) {
        ForEachWord(FileNames ? kWideLanguages[i].fileNames : kWideLanguages[i].suffixes,
                    [&](std::string_view word) {
                        rows[at++] = WideNameRow{word, i};
                    });
    }
    std::sort(rows.begin(), rows.end(),
              [](const WideNameRow& a, const WideNameRow& b) { return a.key < b.key; });
    return rows;
}

}  // namespace wide_detail

// Every suffix and every exact file name of the table with its language, sorted by byte
// order, for a binary search. Built from kWideLanguages when the program is compiled.
inline constexpr auto kWideSuffixRows = wide_detail::SortedWords<false>();
inline constexpr auto kWideFileNameRows = wide_detail::SortedWords<true>();

// The wide language id of a file name (its last path component): an exact file name first,
// else its suffix after the last '.', compared in lower case. 0 when the table knows neither
// (and for a name whose only '.' is its first byte, such as ".profile").
[[nodiscard]] std::int32_t WideLanguageOfName(std::string_view fileName);

// The wide language id of a script from its first line when that is a "#!" line naming a
// known interpreter, directly ("#!/bin/sh") or through env ("#!/usr/bin/env -S python3 -u");
// 0 otherwise. The line may still hold its CR.
[[nodiscard]] std::int32_t WideLanguageOfShebang(std::string_view firstLine);

// True for ids of the wide table.
[[nodiscard]] constexpr bool IsWideLanguage(std::int32_t lang)
{
    return lang >= kWideLanguageBase && lang < kWideLanguageBase + kWideLanguageCount;
}

// The display name of any language id: a wide language's name, else the design table's.
[[nodiscard]] constexpr const char* GetAnyLanguageName(std::int32_t lang)
{
    return IsWideLanguage(lang) ? kWideLanguages[lang - kWideLanguageBase].name
                                : GetLanguageName(lang);
}

// The id whose GetAnyLanguageName is name, from the wide table first when wide says so, else
// from the design table first; -1 when neither table names it.
[[nodiscard]] constexpr std::int32_t AnyLanguageIdOf(std::string_view name, bool wide)
{
    const std::int32_t index = WideLanguageIndex(name);
    std::int32_t design = -1;
    for (std::int32_t i = 0; i < kLanguageCount && design < 0; ++i) {
        design = name == GetLanguageName(i) ? i : -1;
    }
    const std::int32_t widest = index < kWideLanguageCount ? kWideLanguageBase + index : -1;
    return wide ? (widest >= 0 ? widest : design) : (design >= 0 ? design : widest);
}

// The language of a wide id; null for any other id.
[[nodiscard]] constexpr const WideLanguage* GetWideLanguage(std::int32_t lang)
{
    return IsWideLanguage(lang) ? &kWideLanguages[lang - kWideLanguageBase] : nullptr;
}

}  // namespace PrjHelper
