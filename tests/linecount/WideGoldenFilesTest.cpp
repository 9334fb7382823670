#include "linecount/WideTally.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FakeStream.h"
#include "fileio/ReadOnlyFile.h"
#include "linecount/LineClassifier.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideLanguages.h"

using namespace PrjHelper;

namespace {

// The "lintally-wide: code=N comment=N blank=N" line among the file's first two.
LineBreakdown Expected(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    LineBreakdown kinds;
    for (int i = 0; i < 2 && std::getline(in, line); ++i) {
        const std::size_t at = line.find("lintally-wide:");
        if (at == std::string::npos)
            continue;
        std::stringstream fields(line.substr(at + 14));
        std::string field;
        while (fields >> field) {
            const std::uint64_t n = std::stoull(field.substr(field.find('=') + 1));
            (field.rfind("code=", 0) == 0      ? kinds.code
             : field.rfind("comment=", 0) == 0 ? kinds.comment
                                               : kinds.blank) = n;
        }
    }
    return kinds;
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The kinds of text's lines classified one by one, in lang's syntax.
LineBreakdown LineByLine(const std::string& text, std::int32_t lang)
{
    const WideSyntax syntax(*GetWideLanguage(lang));
    WideState state;
    LineBreakdown kinds;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = std::min(text.find('\n', at), text.size());
        LineKind kind =
            ClassifyWideLine(syntax, true, std::string_view(text).substr(at, lf - at), state);
        if (at == 0 && text.rfind("#!", 0) == 0)
            kind = LineKind::Code;
        ++(kind == LineKind::Blank     ? kinds.blank
           : kind == LineKind::Comment ? kinds.comment
                                       : kinds.code);
        at = lf + 1;
    }
    return kinds;
}

// Whole lines are read sixteen bytes at a time: indents shift every line against those
// blocks, and short reads cut lines anywhere. Every way gives the kinds of the lines read one
// by one.
void ExpectLikeLineByLine(const std::string& name, const std::string& original)
{
    for (std::size_t indent : {0, 3, 14, 17}) {
        std::string text;
        for (std::size_t at = 0; at < original.size();) {
            const std::size_t lf = std::min(original.find('\n', at), original.size() - 1);
            text += std::string(at == 0 ? 0 : indent, ' ') + original.substr(at, lf + 1 - at);
            at = lf + 1;
        }
        for (std::uint32_t maxRead : {7u, UINT32_MAX}) {
            FakeStream stream(text);
            stream.maxRead = maxRead;
            const WideTallyResult got =
                TallyWideLines(stream, WideLanguageOfName(name), true, CF_TRACK_BLOCKS);
            if (got.lang == 0)
                continue;
            const LineBreakdown expected = LineByLine(text, got.lang);
            EXPECT_EQ(got.kinds, expected) << name << " indent " << indent << " reads of "
                                           << maxRead << ": code " << got.kinds.code << " comment "
                                           << got.kinds.comment << " blank " << got.kinds.blank;
        }
    }
}

}  // namespace

TEST(WideGoldenFiles, WholeFilesCountLikeLineByLine)
{
    const std::filesystem::path folder = std::filesystem::path(LINTALLY_TEST_DATA) / "golden-wide";
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        ExpectLikeLineByLine(entry.path().filename().string(), ReadAll(entry.path()));
}

TEST(WideTally, LinesWithStringsAndCommentsCountLikeLineByLine)
{
    const std::pair<const char*, const char*> kCases[] = {
        {"a.c",
         "x = a / b; // c\n/* c */ y = 1;\nz(); /* c */ /* d */\n  /*/ still a comment */\n"
         "s = \"a\\\"/*\" /* c */; t = '\"';\nu = \"runs on\\\n/* c\n*/ \"unclosed /* x\n\t  \n"
         "/* a */ /* b\n*/ q; // c */\nw = 1;\t/* c */  \r\n\r\n/* c */\r\nv = \"a\\\"\" /* c\nc "
         "*/\nlast"},
        {"a.rs", "/* a /* b */ c */ x\n/* /* */ */\ny /* z */\n"},
        {"a.lua", "--[[ c ]] x = 1\n-- c\nx = 1 --[[ c\n]]\n"},
        {"a.py", "x = 'a # b' # c\ny = \"\"\"s\"\"\" + 'q'\n    r'''doc'''\ns = 'it\\'s' \"#\"\n"},
        {"a.go", "s := `a\n// x\n` // c\nt := \"`\" // c\n"},
        {"a.coffee", "### c ### x\n###\nc\n###\n"},
        {"a.pl", "print 1; # c\n=head1 X\n\n=cut\nmy $s = \"#\";\n__END__\nx\n"},
        {"a.js",
         "x = a / b / c; // c\ny = /'/g; s = `a ${`b`} /*`;\n/* c */ z = `\n${x}\n// in\n`;\n"},
        {"a.rs", "let s = \"a\"; let r = r#\"b\"#; // c\nlet t = \"run\n// in\n\"; '\"';\n"},
        {"a.rb", "x = %w[a b] # c\ny = <<~EOS\n  # in\n  EOS\nz = 'a\n# in\n' # c\n"},
        {"a.sh", "echo ${#a} # c\ncat <<EOF\n# in\nEOF\necho 'a\n# in\n'\n"},
        {"a.py", "\"doc\"\nf(a,\n  'b')  # c\nx = [\n'''\n# in\n''']\n'c' # c\n"},
        {"a.go", "s := `\\` // c\nt := `a\n// in\n`\n"},
        // A quote before a byte that begins no UTF-8 character takes no line end with it.
        {"a.rs", "a;\nx = '\xff\n//'y\nz = 1; // these lines are read in one pass\n"},
        // Bodies of long strings, docstrings and heredocs: only a line that may end them needs
        // the full rules.
        {"a.py", "x = \"\"\"a\nbody\n\n 'q' \\\n\"\"\" + f(\n'''\ndoc\n\t\r\n\"x\" '''\n"},
        {"a.py", "r'''raw \\\n\\ in'''\nu\"\"\"a\"\nb\"\" c\n\"\"\"\n'one'\n"},
        {"a.py", "\"one \\\nline\nx = 1\n"},
        // A docstring that is all its line holds is read in one pass; anything after its
        // close, a close of more than three quotes or an escaped quote needs the full rules.
        {"a.py",
         "  \"\"\"a\"\"\" + x\n'''b''' # c\n\"\"\"c\"\"\"\"\n\"\"\"d\\\"\"\"\nx = 1\n  \"\"\" \n"},
        {"a.pl", "print <<EOT;\nEOTx\n\n# in\nEOT\nprint <<~E;\n  x\n\t\n  E\r\nmy $x; # c\n"},
        {"a.rb", "x = <<-EOS\n  E\n  EOS\n# c\ny = <<EOS\n\nEOS \nEOS\n"},
        {"a.sh", "cat <<-EOF\n\tEO\n\tEOF\necho # c\ncat << 'X'\nX\n"},
    };
    for (const auto& [name, text] : kCases)
        ExpectLikeLineByLine(name, text);
}

// Random lines of stop bytes, markers, quotes and the bytes the rules read, long enough that
// most stops lie far from the read's end and are read in one pass: every language counts them
// as the full rules do line by line.
TEST(WideTally, RandomLinesCountLikeLineByLine)
{
    const std::vector<std::string> pieces = {
        "//", "/*", "*/", "/",       "*",     "#",   "--",  "{-", "-}", "\"", "'",    "`", "\"\"\"",
        "\\", "$",  "r",  "r#",      "<<EOF", "EOF", "%w[", "]",  "?",  ":",  "(",    ")", "{",
        "}",  "=",  "x",  "return ", " ",     "\t",  "\r",  "\n", "\n", "\n", "--[[", "]]"};
    std::mt19937 random(604);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int round = 0; round < 40; ++round) {
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += pieces[pick(random)];
        SCOPED_TRACE(testing::PrintToString(text));
        for (const char* name : {"a.c", "a.py", "a.pl", "a.rb", "a.sh", "a.rs", "a.js", "a.go",
                                 "a.hs", "a.lua", "a.coffee"})
            ExpectLikeLineByLine(name, text);
    }
}

// Perl's and Ruby's program text ends at a line that is __END__ (Perl's __DATA__ too): the
// lines after it are comment, blank ones still blank.
TEST(WideTally, PerlAndRubyLinesAfterEndAreComment)
{
    const struct
    {
        const char* name;
        const char* text;
        LineBreakdown expected;  // blank, comment, code
    } kCases[] = {
        {"a.pl", "use strict;\nprint \"__END__\"; # c\n__END__\nprint 1;\n\nmy $x = 2;", {1, 3, 2}},
        {"a.pl", "print 1;\n__END__x\n __END__\n__DATA__\nprint 2;\n", {0, 2, 3}},
        {"a.rb", "puts 1\n__END__ \nputs 2\n\nx = 3\n", {1, 3, 1}},
        {"Rakefile", "task :a\n__END__\n", {0, 1, 1}},
    };
    for (const auto& [name, text, expected] : kCases) {
        FakeStream stream(text);
        const WideTallyResult got =
            TallyWideLines(stream, WideLanguageOfName(name), false, CF_TRACK_BLOCKS);
        EXPECT_EQ(got.kinds, expected)
            << name << " [" << text << "]: code " << got.kinds.code << " comment "
            << got.kinds.comment << " blank " << got.kinds.blank;
    }
}

TEST(WideGoldenFiles, EveryFileCountsWhatItStates)
{
    const std::filesystem::path folder = std::filesystem::path(LINTALLY_TEST_DATA) / "golden-wide";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == "README.md")
            continue;
        ++files;
        const LineBreakdown expected = Expected(entry.path());
        EXPECT_NE(expected.Physical(), 0u) << name << " states no counts";
        const std::int32_t lang = WideLanguageOfName(name);
        Brim::ReadOnlyFile file;
        ASSERT_TRUE(file.Open(entry.path().string().c_str())) << name;
        const WideTallyResult got = TallyWideLines(file, lang, lang == 0, CF_TRACK_BLOCKS);
        EXPECT_NE(got.lang, 0) << name;
        EXPECT_EQ(got.kinds, expected) << name << ": code " << got.kinds.code << " comment "
                                       << got.kinds.comment << " blank " << got.kinds.blank;
    }
    EXPECT_GE(files, 10);
}

TEST(WideTally, ShortReadsCountLikeOneRead)
{
    const std::string text =
        "#!/usr/bin/env python3\n\"\"\"doc\n\nmore\"\"\"\r\nx = '#'  # c\n# last, without LF";
    const LineBreakdown expected{1, 3, 2};  // blank, comment, code
    for (std::uint32_t maxRead : {1u, 2u, 3u, 7u, 1000u}) {
        FakeStream stream(text);
        stream.maxRead = maxRead;
        const WideTallyResult got = TallyWideLines(stream, 0, true, CF_TRACK_BLOCKS);
        EXPECT_EQ(got.lang, kWideLanguageBase + WideLanguageIndex("Python")) << maxRead;
        EXPECT_EQ(got.kinds, expected)
            << "reads of " << maxRead << ": code " << got.kinds.code << " comment "
            << got.kinds.comment << " blank " << got.kinds.blank;
    }
    FakeStream unknown("#!/usr/bin/frob\n// x\n");
    EXPECT_EQ(TallyWideLines(unknown, 0, true, CF_TRACK_BLOCKS).kinds, (LineBreakdown{0, 0, 2}))
        << "an unknown script has no comment syntax";
}

TEST(WideTally, ShebangLineLongerThan256BytesNamesNoLanguageWhateverTheReads)
{
    const std::int32_t python = kWideLanguageBase + WideLanguageIndex("Python");
    // "python" and a version of 239 digits: a line of 256 bytes, then of one more.
    const std::string atLimit = "#!/usr/bin/python" + std::string(239, '3');
    ASSERT_EQ(atLimit.size(), 256u);
    for (std::uint32_t maxRead : {16u, 1000u}) {
        FakeStream fits(atLimit + "\n# c\n");
        fits.maxRead = maxRead;
        EXPECT_EQ(TallyWideLines(fits, 0, true, CF_TRACK_BLOCKS).lang, python) << maxRead;
        FakeStream tooLong(atLimit + "3\n# c\n");
        tooLong.maxRead = maxRead;
        EXPECT_EQ(TallyWideLines(tooLong, 0, true, CF_TRACK_BLOCKS).lang, 0) << maxRead;
    }
}
