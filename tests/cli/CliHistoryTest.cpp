// `history` on a repository made with the git program: each commit's rows are those of
// --rev of that commit, the options choose and order the commits, misuse is a usage error.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "tests/cli/CliRunner.h"
#include "tests/results/HtmlPageData.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::Git;
using lintally::testing::GitOutput;
using lintally::testing::IsOneErrorLine;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

// Four first-parent commits (adds, an edit, a removal, a rename, a merge of a side branch).
class CliHistory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lintally::testing::SetEnv("HOME", home.Root());
        repo.Write("a.c", "int a;\n// a\n\n");
        repo.Write("src/b.py", "x = 1\n");
        repo.Write("src/keep.h", "int k;\n");
        Git(repo.Root(), "init -q -b main");
        Commit("first");
        repo.Write("a.c", "int a;\nint b;\n");
        Git(repo.Root(), "mv src/b.py src/c.py");
        repo.Write("d.sh", "echo d\n# d\n");
        Commit("second");
        Git(repo.Root(), "checkout -q -b side");
        repo.Write("side.java", "class S {}\n");
        Commit("side");
        Git(repo.Root(), "checkout -q main");
        Git(repo.Root(), "rm -q src/c.py");
        Commit("third");
        Git(repo.Root(), "merge -q --no-ff -m merged side");
    }

    void Commit(const std::string& message)
    {
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm " + message);
    }

    CliResult Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "history");
        return RunCli({std::move(args), repo.Root()});
    }

    TempFolder home;
    TempFolder repo;
};

}  // namespace

TEST_F(CliHistory, EachCommitsRowsAreThoseOfItsRevision)
{
    const CliResult result = Run({"-f", "json", "-j", "1", "."});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto history = nlohmann::json::parse(result.out);
    EXPECT_TRUE(history["complete"].get<bool>());
    std::string ids;
    for (const auto& commit : history["commits"]) {
        ids += commit["commit"].get<std::string>() + '\n';
        const auto rev = nlohmann::json::parse(
            RunCli(
                {{"-f", "json", "--by", "language", "--rev", commit["commit"], "."}, repo.Root()})
                .out);
        const auto& totals = rev["totals"];
        for (const char* key : {"files", "code", "comment", "blank", "physical", "counted"}) {
            EXPECT_EQ(commit[key], totals[key]) << key;
        }
        std::map<std::string, nlohmann::json> groups;
        for (const auto& row : history["rows"]) {
            if (row["commit"] == commit["commit"]) {
                groups[row["group"]] = row;
            }
        }
        ASSERT_EQ(groups.size(), rev["groups"].size());
        for (const auto& group : rev["groups"]) {
            const auto& row = groups[group["name"]];
            for (const char* key : {"files", "code", "comment", "blank", "physical"}) {
                EXPECT_EQ(row[key], group[key]) << key;
            }
            EXPECT_EQ(row["counted"], group["lines"]);
        }
    }
    EXPECT_EQ(ids, GitOutput(repo.Root(), "rev-list --first-parent HEAD"));
    // The page's table holds the same commits, newest first, with their code lines.
    const auto page = PageData(Run({"-f", "html", "-j", "1", "."}).out);
    ASSERT_EQ(page["rows"].size(), history["commits"].size());
    for (std::size_t i = 0; i < page["rows"].size(); ++i) {
        EXPECT_EQ(page["rows"][i][1],
                  history["commits"][i]["commit"].get<std::string>().substr(0, 10));
        EXPECT_EQ(page["rows"][i].back(), history["commits"][i]["code"]);
    }
}

TEST_F(CliHistory, ABareCloneAndASubFolderCountAsTheirRevisions)
{
    LINTALLY_NEEDS_GIT_PROGRAM("clone");
    const TempFolder bare;
    Git(bare.Root(), "clone -q --bare '" + repo.Root() + "' clone.git");
    const CliResult inTree = Run({"-f", "csv"});
    const CliResult inBare = RunCli({{"history", "-f", "csv", "clone.git"}, bare.Root()});
    ASSERT_EQ(inBare.status, 0) << inBare.err;
    EXPECT_EQ(inBare.out, inTree.out);
    const auto sub = nlohmann::json::parse(Run({"-f", "json", "src"}).out);
    ASSERT_EQ(sub["commits"].size(), 4u);
    for (const auto& commit : sub["commits"]) {
        const auto rev = nlohmann::json::parse(
            RunCli(
                {{"-f", "json", "--by", "language", "--rev", commit["commit"], "src"}, repo.Root()})
                .out);
        EXPECT_EQ(commit["files"], rev["totals"]["files"]);
        EXPECT_EQ(commit["code"], rev["totals"]["code"]);
    }
}

TEST_F(CliHistory, OptionsChooseTheCommitsAndTheirOrder)
{
    const CliResult csv = Run(
        {"--by", "dir", "--reverse", "--max-count", "2", "-f", "csv", "-o", repo.Path("out.csv")});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::string newest = GitOutput(repo.Root(), "rev-parse HEAD").substr(0, 40);
    const std::string before = GitOutput(repo.Root(), "rev-parse HEAD~1").substr(0, 40);
    const std::string text = ReadAll(repo.Path("out.csv"));
    EXPECT_EQ(
        text.rfind("commit,date,group,files,code,comment,blank,physical,counted\n" + before, 0), 0u)
        << text;
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1, 40), newest) << text;
    const CliResult table = Run({"--every", "2"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 2 + 2) << table.out;
    EXPECT_NE(table.out.find(newest.substr(0, 10)), std::string::npos) << table.out;
}

TEST_F(CliHistory, MisuseGivesTwoAndOneLine)
{
    const TempFolder plain;
    lintally::testing::SetEnv("GIT_CEILING_DIRECTORIES", plain.Root());
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--by", "file"},
             {"--git"},
             {"--since", "2024-02-30"},
             {"--step", "1q"},
             {"--max-count", "0"},
             {"--rev", "no-such"},
             {plain.Root()},
             {".", "src"},
         }) {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 2) << args.front();
        EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    }
}
