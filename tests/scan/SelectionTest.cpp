// The glob matcher, the selection's choices, and a scan that leaves files out for each reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/CountRequest.h"
#include "scan/Glob.h"
#include "scan/Selection.h"
#include "tests/scan/WalkRequest.h"
#include "tests/support/TempFolder.h"

using lintally::scan::Count;
using lintally::scan::CountRequest;
using lintally::scan::Glob;
using lintally::scan::ScanOptions;
using lintally::scan::ScanResult;
using lintally::scan::Selection;
using lintally::scan::SkipReason;
using lintally::testing::NativePath;
using lintally::testing::TempFolder;
using lintally::testing::Walk;

namespace {

// A count of the listed files of tree of the type "*.c" on two threads.
CountRequest ListOf(const TempFolder& tree, const std::vector<std::string>& names,
                    const Selection& selection, bool tracked)
{
    CountRequest request;
    request.files.root = tree.Path("");
    request.files.names = &names;
    request.files.tracked = tracked;
    request.settings.types = "*.c";
    request.selection = &selection;
    request.jobs = 2;
    return request;
}

}  // namespace

TEST(Glob, MatchesStarsSetsAndFolders)
{
    struct Case
    {
        const char* pattern;
        const char* text;
        bool matches;
    };
    const Case cases[] = {
        {"*.c", "a.c", true},
        {"*.c", "a.h", false},
        {"*.c", "src/a.c", false},
        {"?.c", "ab.c", false},
        {"a?c", "a/c", false},
        {"[a-c]x", "bx", true},
        {"[!a-c]x", "bx", false},
        {"[]]", "]", true},
        {"\\*", "*", true},
        {"**/a.c", "a.c", true},
        {"**/a.c", "x/y/a.c", true},
        {"x/**", "x/y/z", true},
        {"x/**/z", "x/z", true},
        {"x/**/z", "x/p/q/z", true},
        {"x/**/z", "xz", false},
        {"a**b", "a/x/b", true},
        {"*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const Case& c : cases) {
        Glob glob;
        std::string error;
        ASSERT_TRUE(glob.Parse(c.pattern, error)) << c.pattern;
        EXPECT_EQ(glob.Matches(c.text), c.matches) << c.pattern << " on " << c.text;
    }
    Glob bad;
    std::string error;
    EXPECT_FALSE(bad.Parse("[ab", error));
    EXPECT_FALSE(bad.Parse("a\\", error));
}

namespace {

// The glob's rules matched the slow, plain way: each wildcard tries every length.
bool ReferenceMatch(std::string_view pattern, std::string_view text)
{
    if (pattern.empty()) {
        return text.empty();
    }
    if (pattern.starts_with("**/")) {
        for (std::size_t n = 0; n <= text.size(); ++n) {
            if ((n == 0 || text[n - 1] == '/') &&
                ReferenceMatch(pattern.substr(3), text.substr(n))) {
                return true;
            }
        }
        return false;
    }
    if (pattern.starts_with("*")) {
        const bool crosses = pattern.starts_with("**");
        const std::string_view rest = pattern.substr(crosses ? 2 : 1);
        for (std::size_t n = 0; n <= text.size(); ++n) {
            if (ReferenceMatch(rest, text.substr(n))) {
                return true;
            }
            if (n < text.size() && text[n] == '/' && !crosses) {
                return false;
            }
        }
        return false;
    }
    return !text.empty() && (pattern[0] == '?' ? text[0] != '/' : pattern[0] == text[0]) &&
           ReferenceMatch(pattern.substr(1), text.substr(1));
}

}  // namespace

TEST(Glob, EveryShortPatternMatchesAsEachWildcardTryingEveryLength)
{
    // Thousands of patterns of a few pieces against every text of up to five characters.
    const std::vector<std::string> pieces = {"a", "b", "/", "?", "*", "**", "**/"};
    std::vector<std::string> patterns = {""};
    std::vector<std::string> texts = {""};
    for (std::size_t i = 0; i < patterns.size() && patterns.size() < 1500; ++i) {
        if (patterns[i].size() < 5) {
            for (const std::string& piece : pieces) {
                patterns.push_back(patterns[i] + piece);
            }
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].size() < 5) {
            for (const char* c : {"a", "b", "/"}) {
                texts.push_back(texts[i] + c);
            }
        }
    }
    for (const std::string& pattern : patterns) {
        Glob glob;
        std::string error;
        ASSERT_TRUE(glob.Parse(pattern, error));
        for (const std::string& text : texts) {
            ASSERT_EQ(glob.Matches(text), ReferenceMatch(pattern, text))
                << pattern << " on " << text;
        }
    }
}

// A '-' first or last in a set, or escaped, is one of its characters; between two others it
// spans the range.
TEST(Glob, BracketSetsTakeRangesNegationAndALiteralDash)
{
    const struct
    {
        const char* pattern;
        const char* in;   // characters the set takes
        const char* out;  // characters it does not
    } cases[] = {
        {"[a-]", "a-", "b]"},     {"[-a]", "a-", "b"},     {"[a-c]", "abc", "-d`"},
        {"[!a-]", "b]", "a-/"},   {"[^-z]", "ay", "-z"},   {"[]-]", "]-", "a"},
        {"[a\\-z]", "a-z", "by"}, {"[x-z-]", "xyz-", "w"}, {"[!a]", "b", "a/"},
    };
    for (const auto& c : cases) {
        Glob glob;
        std::string error;
        ASSERT_TRUE(glob.Parse(c.pattern, error)) << c.pattern;
        for (const char* at = c.in; *at != 0; ++at) {
            EXPECT_TRUE(glob.Matches(std::string(1, *at))) << c.pattern << " on " << *at;
        }
        for (const char* at = c.out; *at != 0; ++at) {
            EXPECT_FALSE(glob.Matches(std::string(1, *at))) << c.pattern << " on " << *at;
        }
    }
}

TEST(Selection, NamePathAndFolderOnlyPatterns)
{
    Selection selection;
    std::string error;
    ASSERT_TRUE(selection.AddExclude("build/", error));
    ASSERT_TRUE(selection.AddExclude("/src/gen/*.c", error));
    selection.AddVersionControlExcludes();
    EXPECT_EQ(selection.Leaves("build", "x/build", true), SkipReason::Excluded);
    EXPECT_FALSE(selection.Leaves("build", "x/build", false));  // a file named build stays
    EXPECT_EQ(selection.Leaves("a.c", NativePath("src/gen/a.c"), false), SkipReason::Excluded);
    EXPECT_FALSE(selection.Leaves("a.c", NativePath("lib/src/gen/a.c"), false));
    EXPECT_EQ(selection.Leaves(".git", ".git", true), SkipReason::Excluded);
    EXPECT_EQ(selection.LeavesPath(NativePath("x/build") + "/deep/a.c"), SkipReason::Excluded);
    EXPECT_FALSE(selection.LeavesPath(NativePath("x/builder/a.c")));
    selection.SetIgnoreCheck([](std::string_view relative, bool) {
        return relative.find("tmp") != std::string_view::npos;
    });
    EXPECT_EQ(selection.LeavesPath(NativePath("x/tmp/a.c")), SkipReason::Ignored);
    EXPECT_FALSE(selection.AddExclude("", error));
}

TEST(Count, CountsEveryReasonForLeavingAFileOut)
{
    const TempFolder tree;
    tree.Write("keep.c", "a\nb\n");
    tree.Write("out/deep/x.c", "a\n");
    tree.Write("out/y.c", "a\n");
    tree.Write("bin.c", std::string("a\n\0b\n", 5));
    tree.Write("late.c", std::string(9000, '\n') + std::string(1, '\0'));  // NUL after 8 KiB: text
    tree.Write("big.c", std::string(2048, 'x'));
    tree.Write("note.txt", "not of the type list\n");
    Selection selection;
    std::string error;
    ASSERT_TRUE(selection.AddExclude("out", error));
    ASSERT_TRUE(selection.AddExclude("*.txt", error));
    selection.skipBinary = true;
    selection.maxSize = 10000;
    const ScanOptions options;
    lintally::scan::StopToken stop;
    lintally::scan::NullScanSink sink;
    for (unsigned jobs : {1u, 3u}) {
        CountRequest request = Walk(tree.Root(), "*.c", options, jobs);
        request.selection = &selection;
        const ScanResult result = Count(request, stop, sink);
        ASSERT_EQ(result.rows.size(), 3u);
        EXPECT_EQ(result.rows[2].name, "late.c");
        EXPECT_EQ(result.files, 3u);
        EXPECT_EQ(result.skips.excluded, 1u);  // the folder, not the files in it
        EXPECT_EQ(result.skips.binary, 1u);
        EXPECT_EQ(result.skips.tooLarge, 0u);
    }
    selection.maxSize = 2047;
    CountRequest request = Walk(tree.Root(), "*.c", options, 2);
    request.selection = &selection;
    const ScanResult smaller = Count(request, stop, sink);
    EXPECT_EQ(smaller.skips.tooLarge, 2u);  // big.c and late.c
}

TEST(Count, ListCountsExactlyTheListedFilesOfTheTypeList)
{
    const TempFolder tree;
    tree.Write("a.c", "1\n2\n3\n");
    tree.Write("sub/b.c", "1\n");
    tree.Write("sub/c.txt", "1\n");
    tree.Write("unlisted.c", "1\n");
    tree.Write("now-a-folder.c/x.c", "1\n");  // a file replaced by a folder before the count
    const std::vector<std::string> names = {"a.c", NativePath("sub/b.c"), NativePath("sub/c.txt"),
                                            "gone.c", "now-a-folder.c"};
    Selection selection;
    lintally::scan::StopToken stop;
    lintally::scan::NullScanSink sink;
    for (const bool tracked : {false, true}) {
        const ScanResult result = Count(ListOf(tree, names, selection, tracked), stop, sink);
        ASSERT_EQ(result.rows.size(), 4u) << tracked;
        EXPECT_EQ(result.total, 4u) << tracked;
        // gone.c and the folder: rows of 0 lines, and counted
        EXPECT_EQ(result.skips.unreadable, 2u) << tracked;
    }
}

// Ignore rules leave out untracked files only: a file listed from git's index counts even
// under an ignored folder, while a plain list is asked of them.
TEST(Count, ListTrackedNamesAreNotLeftOutByTheIgnoreCheck)
{
    const TempFolder tree;
    tree.Write("a.c", "1\n");
    tree.Write("build/keep.c", "1\n2\n");
    const std::vector<std::string> names = {"a.c", NativePath("build/keep.c")};
    Selection selection;
    selection.SetIgnoreCheck(
        [](std::string_view relative, bool) { return relative.rfind("build", 0) == 0; });
    lintally::scan::StopToken stop;
    lintally::scan::NullScanSink sink;
    for (const bool tracked : {false, true}) {
        const ScanResult result = Count(ListOf(tree, names, selection, tracked), stop, sink);
        EXPECT_EQ(result.rows.size(), tracked ? 2u : 1u) << tracked;
        EXPECT_EQ(result.skips.ignored, tracked ? 0u : 1u) << tracked;
    }
}
