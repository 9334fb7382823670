// lintally-cli merge: the sum of the counts of parts is the count of all their ROOTs, byte for
// byte; parts that overlap, were counted otherwise or hold only sums are refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::IsOneErrorLine;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

// Two parts with languages of their own (so each saved count indexes its languages its
// own way), a sub-folder and a file left out.
void MakeParts(const TempFolder& tree)
{
    tree.Write("a/main.c", "int main;\n// hi\n\n");
    tree.Write("a/tools/run.py", "x = 1  # one\n\"\"\"doc\"\"\"\n");
    tree.Write("b/lib.c", "int lib;\n");
    tree.Write("b/deep/inner/x.h", "/* h */\nint x;\n");
    tree.Write("b/view.js", "let v;\n");
    tree.Write("b/blob.c", std::string("bin\0ary", 7));
}

CliResult RunIn(std::vector<std::string> args, const TempFolder& tree)
{
    return RunCli({std::move(args), tree.Path("")});
}

}  // namespace

TEST(CliMerge, TheMergeOfPartsIsTheCountOfAllTheirRoots)
{
    TempFolder tree;
    MakeParts(tree);
    for (const char* part : {"a", "b"}) {
        ASSERT_EQ(RunIn({"-f", "json", "-o", std::string(part) + ".json", part}, tree).status, 0);
    }
    const struct
    {
        std::vector<std::string> options;
    } cases[] = {{{"-f", "json"}},
                 {{}},
                 {{"-f", "json", "--by", "dir:2"}},
                 {{"-f", "csv", "--by", "ext"}},
                 {{"-f", "markdown", "--sort", "code"}}};
    for (const auto& c : cases) {
        std::vector<std::string> whole = c.options;
        whole.insert(whole.end(), {"a", "b"});
        std::vector<std::string> merge = {"merge"};
        merge.insert(merge.end(), c.options.begin(), c.options.end());
        merge.insert(merge.end(), {"a.json", "b.json"});
        const CliResult counted = RunIn(whole, tree);
        const CliResult merged = RunIn(merge, tree);
        EXPECT_EQ(merged.status, 0) << merged.err;
        EXPECT_EQ(merged.out, counted.out) << c.options.size();
    }
    // A merged count reads back as the count it stands for.
    ASSERT_EQ(RunIn({"merge", "-f", "json", "-o", "ab.json", "a.json", "b.json"}, tree).status, 0);
    EXPECT_EQ(RunIn({"merge", "-f", "json", "ab.json"}, tree).out,
              RunIn({"-f", "json", "a", "b"}, tree).out);
}

TEST(CliMerge, KeepsEmbeddedCodeAndComplexity)
{
    TempFolder tree;
    tree.Write("a/guide.md", "# A\n```rust\nif a && b {}\n```\n```py\nif x: pass\n```\n");
    tree.Write("b/page.html", "<script>\nwhile (a) {}\n</script>\n");
    for (const char* part : {"a", "b"}) {
        ASSERT_EQ(RunIn({"--embedded", "--complexity", "-f", "json", "-o",
                         std::string(part) + ".json", part},
                        tree)
                      .status,
                  0);
    }
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, {"-f", "json"}, {"-f", "csv", "--by", "ext"}}) {
        std::vector<std::string> whole = {"--embedded", "--complexity"};
        whole.insert(whole.end(), options.begin(), options.end());
        whole.insert(whole.end(), {"a", "b"});
        std::vector<std::string> merge = {"merge"};
        merge.insert(merge.end(), options.begin(), options.end());
        merge.insert(merge.end(), {"a.json", "b.json"});
        EXPECT_EQ(RunIn(merge, tree).out, RunIn(whole, tree).out) << options.size();
    }
}

TEST(CliMerge, RefusesPartsThatOverlapWereCountedOtherwiseOrHoldOnlySums)
{
    TempFolder tree;
    MakeParts(tree);
    ASSERT_EQ(RunIn({"-f", "json", "-o", "a.json", "a"}, tree).status, 0);
    ASSERT_EQ(RunIn({"-f", "json", "-o", "ab.json", "a", "b"}, tree).status, 0);
    ASSERT_EQ(RunIn({"-f", "json", "--exclude-blank", "-o", "blank.json", "b"}, tree).status, 0);
    ASSERT_EQ(RunIn({"-f", "json", "--by", "ext", "-o", "sums.json", "b"}, tree).status, 0);
    const struct
    {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"merge", "a.json", "a.json"}, "lists the file a/main.c, which an earlier count lists"},
        {{"merge", "ab.json", "a.json"}, "lists the file a/main.c"},
        {{"merge", "a.json", "blank.json"}, "other options (exclude_blank: true there"},
        {{"merge", "a.json", "sums.json"}, "holds group sums (--by ext)"},
        {{"merge", "--by", "dir", "ab.json"}, "--by dir regroups counts of one ROOT"},
    };
    for (const auto& c : cases) {
        const CliResult result = RunIn(c.args, tree);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
        // Names are written with the system's separator.
        std::string message = c.message;
        std::replace(message.begin(), message.end(), '/', lintally::testing::PathSeparator());
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}
