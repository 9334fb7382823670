#include "linecount/WideClassifier.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "linecount/WideClassifierOpening.h"

using namespace PrjHelper;

namespace {

const WideSyntax& Syntax(const char* name)
{
    static std::vector<std::unique_ptr<WideSyntax>> made;
    for (const auto& syntax : made) {
        if (std::string_view(syntax->language.name) == name)
            return *syntax;
    }
    const std::int32_t index = WideLanguageIndex(name);
    EXPECT_LT(index, kWideLanguageCount) << name;
    return *made.emplace_back(std::make_unique<WideSyntax>(kWideLanguages[index]));
}

// The kinds of lines read through one state, as a string: 'b'lank, 'c'omment, code 'x'.
std::string Kinds(const char* language, std::vector<std::string> lines, bool trackBlocks = true)
{
    WideState state;
    std::string kinds;
    for (const std::string& line : lines) {
        const LineKind kind = ClassifyWideLine(Syntax(language), trackBlocks, line, state);
        kinds += kind == LineKind::Blank ? 'b' : kind == LineKind::Comment ? 'c' : 'x';
    }
    return kinds;
}

}  // namespace

TEST(WideClassifier, CFamily)
{
    EXPECT_EQ(Kinds("C", {"", " \t\r", "// c", "  /* c */  ", "int a; // c", "/* c */ int a;",
                          "int a; /* open", "  still", "", "close */", "x = 1;"}),
              "bbccxxxcbcx");
    EXPECT_EQ(Kinds("C", {"s = \"/*\";", "t = '\"'; // \"", "u = \"a\\\"/*\";", "v;"}), "xxxx")
        << "markers and quotes inside strings are text";
    EXPECT_EQ(Kinds("C", {"/* a", "/* b */", "x;"}), "ccx") << "C blocks do not nest";
    EXPECT_EQ(Kinds("C", {"\"open string", "/* c */"}), "xc")
        << "a plain string ends with its line";
    EXPECT_EQ(Kinds("C", {"/* a", "b", "c */"}, false), "cxx")
        << "without block tracking each line stands alone";
}

TEST(WideClassifier, NestingBlocks)
{
    EXPECT_EQ(Kinds("Rust", {"/* a /* b */", "still */", "x();", "/* /* */ */ y();"}), "ccxx");
    EXPECT_EQ(Kinds("D", {"/+ a /+ b +/", "c +/", "/* a /* b */", "x;"}), "cccx");
    EXPECT_EQ(Kinds("Haskell", {"{- a {- b -} -}", "-- c", "main = x"}), "ccx");
    EXPECT_EQ(Kinds("Lua", {"--[[ a", "b ]]", "-- c", "x = 1"}), "cccx");
}

TEST(WideClassifier, Docstrings)
{
    EXPECT_EQ(Kinds("Python", {"def f():", "    \"\"\"Doc.", "", "    More.", "    \"\"\"",
                               "    return 1", "    '''one line'''", "    r\"\"\"raw\"\"\""}),
              "xcbccxcc");
    EXPECT_EQ(Kinds("Python", {"x = \"\"\"", "# not a comment", "\"\"\"", "y = '#'"}), "xxxx")
        << "a long string after code is code";
    EXPECT_EQ(Kinds("Python", {"\"\"\"a \\\"\"\" b", "\"\"\""}), "cc")
        << "an escaped quote does not close";
    EXPECT_EQ(Kinds("Python", {"s = 'it''s' # c"}), "x");
}

TEST(WideClassifier, SpanningStringsAndColumnBlocks)
{
    EXPECT_EQ(Kinds("Go", {"s := `a", "// in string", "`", "// c"}), "xxxc");
    EXPECT_EQ(Kinds("JavaScript", {"const s = `/*`;", "x();"}), "xx");
    EXPECT_EQ(Kinds("Perl", {"my $x = 1;", "=head1 NAME", "", "text", "=cut", "print 1;",
                             "=> not pod", "# c"}),
              "xcbccxxc");
    EXPECT_EQ(Kinds("Ruby", {"=begin", "x = 1", "=end", "=beginning", "x"}), "cccxx");
    EXPECT_EQ(Kinds("Perl", {"__DATA__x;", " __END__", "__DATA__", "1 2 3", "", "=cut"}), "xxccbc")
        << "after __DATA__ the rest is not program text";
}

TEST(WideClassifier, PiecesClassifyLikeWholeLines)
{
    // Every cut of a line into two pieces gives the whole line's kind and state.
    const std::vector<std::pair<const char*, std::string>> kCases = {
        {"C", "int a; /* x */ // y"},
        {"Python", "    \"\"\"doc\"\"\""},
        {"Lua", "  --[[ c"},
        {"Perl", "=head1 X"},
        {"Perl", "__DATA__ "},
        {"Handlebars", "{{!-- c --}}"},
        {"Rust", "/* /* */ */ y"},
        {"Rust", "let s = br##\"a\"#\"##; // c"},
        {"JavaScript", "x = /[/*]\\//g; // c"},
        {"TypeScript", "t = `${ {a: `b`}.a }` // c"},
        {"Ruby", "f(<<~'A_LONG_HEREDOC_TAG', %w[a [b]]) # c"},
        {"Shell", "cat <<-EOF # c"},
        {"Python", "    rb'doc' # c"},
    };
    for (const auto& [language, line] : kCases) {
        WideState whole;
        const LineKind kind = ClassifyWideLine(Syntax(language), true, line, whole);
        for (std::size_t cut = 0; cut <= line.size(); ++cut) {
            WideLineScanner scanner(Syntax(language), true);
            for (std::size_t i = 0; i < cut; ++i)
                scanner.Add(line.data() + i, 1);
            scanner.Add(line.data() + cut, line.size() - cut);
            EXPECT_EQ(scanner.EndLine(), kind) << language << " [" << line << "] cut at " << cut;
            EXPECT_EQ(scanner.State(), whole) << language << " [" << line << "] cut at " << cut;
        }
    }
}

// Each language's own rules, line by line: 'b'lank, 'c'omment, code 'x'.
TEST(WideClassifier, LanguageRules)
{
    const struct
    {
        const char* language;
        std::vector<std::string> lines;
        const char* kinds;
        const char* why;
    } kCases[] = {
        {"JavaScript", {"x = /`/;", "// c"}, "xc", "a regex holding a backquote opens no template"},
        {"JavaScript", {"x = /[/*]/;", "// c", "y = a / b; /* c */"}, "xcx", "nor /* a comment"},
        {"JavaScript", {"if (/a\\/*/.test(s)) f();", "// c"}, "xc", "an escaped slash"},
        {"JavaScript", {"return /'/.test(s);", "// c"}, "xc", "after return comes an operand"},
        {"JavaScript", {"a = b / c; d = e / f; // c", "// c"}, "xc", "two divisions"},
        {"JavaScript", {"x = (a) / 2; s = '/*';", "// c"}, "xc", "after ) a division"},
        {"TypeScript",
         {"t = `a ${f(`", "// in", "`)} b", "// c` + `", "`;"},
         "xxxxx",
         "templates nest in ${}"},
        {"TypeScript", {"t = `${ {a: 1}.a }`; // c", "// c"}, "xc", "braces inside ${}"},
        {"JavaScript", {"t = `${x // c", "}`;", "// c"}, "xxc", "a comment inside ${}"},
        {"JavaScript", {"t = `${a(/}/g)}`;", "}", "/* c */"}, "xxc", "a regex inside ${}"},
        {"Go", {"s := `\\`", "// c"}, "xc", "raw strings take no escapes"},
        {"Go", {"r := '`' // c", "// c"}, "xc", "a rune holding a backquote"},
        {"Rust", {"let s = \"a", "// in", "\";", "// c"}, "xxxc", "strings run on over lines"},
        {"Rust", {"let s = r#\"a \" ", "// in \"", "\"#; // c", "// c"}, "xxxc", "r#\"..\"#"},
        {"Rust", {"let s = br##\"\"#", "\"##;", "// c"}, "xxc", "one # too few goes on"},
        {"Rust", {"let s = r\"\\\";", "// c"}, "xc", "r\"\\\" ends"},
        {"Rust", {"let q = '\"'; fn f<'a>(x: &'a str) {}", "// c"}, "xc", "char or lifetime"},
        {"Rust",
         {"let e = '\\''; let u = '\\u{1F600}'; let y = 'é';", "// c"},
         "xc",
         "escapes and UTF-8"},
        {"Rust", {"for_r\"x\" // c"}, "x", "r in a word is no prefix"},
        {"Ruby", {"x = <<~EOS", "  # in", "  EOS", "# c"}, "xxxc", "a squiggly heredoc"},
        {"Ruby", {"f(<<-'EOS', 1)", "# in", "EOSX", "  EOS", "# c"}, "xxxxc", "quoted tags"},
        {"Ruby", {"x = <<EOS", "# in", "  EOS", "EOS", "# c"}, "xxxxc", "<<EOS ends at column 1"},
        {"Ruby", {"a = b<<C # c", "# c", "class << self", "# c"}, "xcxc", "shifts"},
        {"Ruby", {"w = %w[a [b]", "# in ]", "]", "# c"}, "xxxc", "%-literals nest"},
        {"Ruby", {"q = %q{a", "# in", "}", "x = 10 % 3 # c", "# c"}, "xxxxc", "and divide"},
        {"Ruby",
         {"s = \"a", "# in", "\"", "r = /\"/ # c", "puts /'/", "# c"},
         "xxxxxc",
         "strings run on; regexes"},
        {"Ruby", {"a = $` + $' + $\"", "# c"}, "xc", "$` $' $\" are variables"},
        {"Ruby", {"R = /a", "  # in", "/x # c", "# c"}, "xxxc", "regexes run on"},
        {"Ruby",
         {"a = [:/, :%, :<<, ?/, ?\"]", "# c", "x ? \"a\" : \"b\"", "# c"},
         "xcxc",
         "operator symbols and character literals"},
        {"JavaScript", {"r = /a", "// c"}, "xc", "but not in JavaScript"},
        {"Shell", {"cat <<EOF", "# in", "EOF", "# c"}, "xxxc", "a heredoc"},
        {"Shell", {"cat <<-'EOF' > f", "\t# in", "\tEOF", "# c"}, "xxxc", "<<- strips tabs"},
        {"Shell", {"cat << \"E F\"", "E F", "# c", "x=$((1 << 2)) # c"}, "xxcx", "spaces"},
        {"Shell", {"echo 'a", "# in", "b\\'", "# c"}, "xxxc", "single quotes run on, unescaped"},
        {"Shell", {"echo \"a", "# in \\\"", "\"", "# c"}, "xxxc", "double quotes too"},
        {"Shell", {"echo ${#a} don\\'t $'\\'' # c", "# c"}, "xc", "# at a word's start"},
        {"Shell", {"echo ${#a}$# 'b", "# in", "'"}, "xxx", "so ${#a} opens no comment"},
        {"Shell",
         {"x=\"$(f |", "  awk -F'\"' '{ print }')\" # c", "# c"},
         "xxc",
         "\"$(...)\" holds code with its own quotes"},
        {"Shell", {"x=`f |", "  # c", "  g`"}, "xcx", "backquotes hold code"},
        {"Perl",
         {"print <<\"END\";", "# in", "END", "# c", "print << 'E';", "E", "1 << 2;"},
         "xxxcxxx",
         "Perl heredocs"},
        {"Python",
         {"\"doc\"", "r'doc'  # c", "x = \"s\"", "f(", "    \"\"\"", "    s", "\"\"\")",
          "\"\"\"a\"\"\".strip()"},
         "ccxxxxxx",
         "string statements are comments, string expressions code"},
        {"Python",
         {"d = {", "    'a': 1,", "    'b'", "}", "'''c", "'''"},
         "xxxxcc",
         "inside brackets a string is an expression"},
        {"Python", {"s = '(' # )", "\"doc\""}, "xc", "brackets in strings and comments"},
        {"Python",
         {"x = \\", "    \"s\"", "f('a\\", "', 'b')", "\"d\""},
         "xxxxc",
         "a backslash carries a statement or a string on"},
        {"C",
         {"s = \"a\\\\", "/* c */", "t = \"a\\", "/* in */\";"},
         "xcxx",
         "an escaped backslash does not"},
    };
    for (const auto& [language, lines, kinds, why] : kCases)
        EXPECT_EQ(Kinds(language, lines), kinds) << language << ": " << why;
}

// OpensInCode asks a language's own rules only about the bytes they may read: in every
// language, a byte that opens no comment and no long string opens the same as the rules say,
// whatever comes before and after it.
TEST(WideClassifier, OpeningsWithoutTheRulesAreWhatTheRulesSay)
{
    using wide_scan::Opening;
    const std::string alphabet = "ax 0$?:(=)r#\"'`/%<\\\t-*{}";
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (const WideLanguage& language : kWideLanguages) {
        const WideSyntax syntax(language);
        for (std::size_t round = 0; round < 1000; ++round) {
            std::string text(2 * wide_rules::kContext, ' ');
            for (char& byte : text)
                byte = alphabet[pick(random)];
            const char* at = text.data() + wide_rules::kContext;
            const char* end = text.data() + text.size();
            const std::size_t size = round % (wide_rules::kContext + 1);
            const std::string_view before(at - size, size);
            const Opening got = wide_scan::OpensInCode(syntax, at, end, before, 0);
            if (got.what == Opening::What::Block || got.what == Opening::What::LineComment ||
                got.what == Opening::What::LongString)
                continue;
            const Opening rules = wide_scan::OpensByRule(syntax, at, end, before);
            EXPECT_TRUE(got.what == rules.what && got.size == rules.size &&
                        got.hashes == rules.hashes)
                << language.name << " [" << text << "] after " << size;
        }
    }
}
