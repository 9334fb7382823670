// lintally-cli diff between revisions of a repository made with the git program: the same
// differences as between checkouts of those revisions and as between their saved counts.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

#include "tests/cli/CliRunner.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::Git;
using lintally::testing::IsOneErrorLine;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;
using nlohmann::json;

namespace {

json Diff(std::vector<std::string> args)
{
    args.insert(args.begin(), {"diff", "-f", "json"});
    const CliResult result = RunCli({args, ""});
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
}

json Differences(json diff)
{
    return json{{"groups", diff["groups"]}, {"total", diff["total"]}};
}

// v1, then v2: an edit of code, comment and blank lines, an edit in place, a removal, a
// rename, an addition and a file left as it was. Each tag is also checked out into a folder of its
// own.
class CliDiffRevision : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lintally::testing::SetEnv("HOME", home.Root());
        repo.Write("a.c", "int a;\n// one\n\nint z;\n");
        repo.Write("edit.c", "int x;\n");
        repo.Write("gone.c", "int g;\n");
        repo.Write("src/deep/c.h", "/* c */\nint c;\n");
        repo.Write("same.c", "int s;\n\n// s\n");
        Git(repo.Root(), "init -q");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm first");
        Git(repo.Root(), "tag v1");
        repo.Write("a.c", "int a;\nint b;\n// one\n// two\n\n\nint z;\n");
        repo.Write("edit.c", "int y;\n");
        Git(repo.Root(), "rm -q gone.c");
        Git(repo.Root(), "mv src/deep/c.h src/c.h");
        repo.Write("New.java", "class N {}\n");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm second");
        Git(repo.Root(), "tag v2");
        for (const char* tag : {"v1", "v2"}) {
            Git(repo.Root(), std::string("worktree add -q '") + trees.Path(tag) + "' " + tag);
        }
    }

    TempFolder home;
    TempFolder repo;
    TempFolder trees;
};

}  // namespace

TEST_F(CliDiffRevision, RevisionsCheckoutsAndSavedCountsGiveTheSameDifferences)
{
    const json revisions =
        Diff({"--by", "file", "--old-rev", "v1", "--new-rev", "v2", repo.Root()});
    const json checkouts = Diff({"--by", "file", trees.Path("v1"), trees.Path("v2")});
    EXPECT_EQ(Differences(revisions), Differences(checkouts));
    EXPECT_EQ(revisions["old"]["kind"], "revision");
    EXPECT_EQ(revisions["new"]["rev"], "v2");
    EXPECT_EQ(revisions["new"]["commit"].get<std::string>().size(), 40u);
    // b, y, the renamed c and N added; x, g and the renamed c removed.
    EXPECT_EQ(revisions["total"]["code_added"], 4) << revisions["total"];
    EXPECT_EQ(revisions["total"]["code_removed"], 3) << revisions["total"];
    const std::string oldJson = trees.Path("v1.json");
    ASSERT_EQ(RunCli({{"-f", "json", "--rev", "v1", "-o", oldJson, repo.Root()}, ""}).status, 0);
    json saved = Diff({"--by", "language", oldJson, "--", trees.Path("v2")});
    EXPECT_EQ(saved["total"]["delta"], revisions["total"]["delta"]);
}

TEST_F(CliDiffRevision, OneRevisionIsComparedWithTheWorkTree)
{
    repo.Write("edit.c", "int y;\nint more;\n");
    const json diff = Diff({"--by", "file", "--old-rev", "v2", repo.Root()});
    EXPECT_EQ(diff["new"]["kind"], "folder");
    EXPECT_EQ(diff["total"]["delta"]["code"], 1);
    EXPECT_EQ(diff["total"]["files_changed"], 1);
    EXPECT_EQ(diff["total"]["code_added"], 1);
    EXPECT_EQ(diff["total"]["code_removed"], 0);
}

TEST_F(CliDiffRevision, MisusesAreOneLineAndStatusTwo)
{
    const std::vector<std::vector<std::string>> misuses = {
        {"--old-rev", "nope", repo.Root()},
        {"--old-rev", "v1", repo.Root(), repo.Root()},
        {"--rev", "v1", repo.Root(), repo.Root()},
        {"--old-rev", "v1", home.Root()},  // no repository there
    };
    for (const auto& args : misuses) {
        std::vector<std::string> all{"diff"};
        all.insert(all.end(), args.begin(), args.end());
        const CliResult result = RunCli({all, ""});
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    }
}
