// --rev on repositories made with the git program: a count of HEAD in a clean checkout is
// the count of --git in every format, older revisions and tags count as they were, and the
// misuses are usage errors.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>

#include "tests/cli/CliRunner.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/SymbolicLink.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::Git;
using lintally::testing::IsOneErrorLine;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

// v1 then HEAD: an edit of code, comment and blank lines, a removal, a rename, an addition.
class CliRevision : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lintally::testing::SetEnv("HOME", home.Root());
        repo.Write("a.c", "int a;\n// one\n\n");
        repo.Write("gone.c", "int g;\n");
        repo.Write("src/b.py", "x = 1\n");
        repo.Write("src/deep/c.h", "/* c */\nint c;\n");
        if (!lintally::testing::MakeSymbolicLink("a.c", repo.Path("link.c"))) {
            GTEST_SKIP() << "this system makes no symbolic links for this user";
        }
        Git(repo.Root(), "init -q");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm first");
        Git(repo.Root(), "tag v1");
        repo.Write("a.c", "int a;\nint b;\n// one\n// two\n\n\n");
        Git(repo.Root(), "rm -q gone.c");
        Git(repo.Root(), "mv src/deep/c.h src/c.h");
        repo.Write("new.java", "class N {}\n");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm second");
    }

    CliResult Run(std::vector<std::string> args) { return RunCli({std::move(args), repo.Root()}); }

    TempFolder home;
    TempFolder repo;
};

}  // namespace

TEST_F(CliRevision, HeadOfACleanCheckoutCountsAsTheTrackedFilesInEveryFormat)
{
    const std::vector<std::vector<std::string>> views = {
        {},
        {"--by", "dir", "--sort", "name"},
        {"-f", "csv"},
        {"-f", "report"},
        {"--languages", "wide", "--by", "file"},
        {"--skip-binary", "--max-size", "10", "--exclude", "src/c.h", "-j", "1"},
    };
    for (const auto& view : views) {
        std::vector<std::string> git = view;
        git.insert(git.end(), {"--git", "."});
        std::vector<std::string> rev = view;
        rev.insert(rev.end(), {"--rev", "HEAD", "."});
        const CliResult byGit = Run(git);
        const CliResult byRev = Run(rev);
        ASSERT_EQ(byRev.status, 0) << byRev.err;
        EXPECT_EQ(byRev.out, byGit.out) << testing::PrintToString(view);
    }
    auto byGit = nlohmann::json::parse(Run({"-f", "json", "--git", "."}).out);
    auto byRev = nlohmann::json::parse(Run({"-f", "json", "--rev", "HEAD", "."}).out);
    EXPECT_EQ(byRev["revision"]["name"], "HEAD");
    EXPECT_EQ(byRev["revision"]["commit"].get<std::string>().size(), 40u);
    byRev.erase("revision");
    EXPECT_EQ(byRev, byGit);
}

TEST_F(CliRevision, AnOlderRevisionCountsWhatItHeldWhateverTheWorkTreeHolds)
{
    repo.Write("a.c", "uncommitted\n");
    repo.Write("untracked.c", "int u;\n");
    for (const char* rev : {"v1", "HEAD~1"}) {
        const auto json =
            nlohmann::json::parse(Run({"-f", "json", "--by", "file", "--rev", rev, "."}).out);
        std::vector<std::string> names;
        for (const auto& file : json["files"]) {
            names.push_back(file["name"]);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"a.c", "gone.c", "link.c", "src/b.py",
                                                   "src/deep/c.h"}));
        EXPECT_EQ(json["total"], 3 + 1 + 3 + 1 + 2) << rev;  // link.c counts a.c's lines
    }
    const auto head = nlohmann::json::parse(Run({"-f", "json", "--rev", "HEAD", "."}).out);
    EXPECT_EQ(head["total"], 6 + 6 + 1 + 2 + 1);  // a.c, link.c, src/b.py, src/c.h, new.java
    const auto sub = nlohmann::json::parse(
        RunCli({{"-f", "json", "--languages", "design", "--rev", "v1", "."}, repo.Path("src")})
            .out);
    EXPECT_EQ(sub["total"], 2);  // deep/c.h; src/b.py is not of the dialog's types
}

TEST_F(CliRevision, MisuseGivesTwoAndOneLine)
{
    const TempFolder plain;
    lintally::testing::SetEnv("GIT_CEILING_DIRECTORIES", plain.Root());
    const std::vector<std::vector<std::string>> usageErrors = {
        {"--rev", "no-such", "."},
        {"--rev", "v1:a.c", "."},
        {"--rev", "HEAD", plain.Root()},
        {"--rev", "HEAD", ".", "src"},
        {"--rev", "HEAD", "--git", "."},
        {"--rev", "HEAD", "--gitignore", "."},
        {"--rev", "HEAD", "--files-from", "-"},
        {"--rev", "", "."},
    };
    for (const auto& args : usageErrors) {
        const CliResult result = Run(args);
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
        EXPECT_EQ(result.out, "");
    }
    lintally::testing::UnsetEnv("GIT_CEILING_DIRECTORIES");
}

TEST_F(CliRevision, ADamagedBlobIsNamedAndTheCountIncompleteAndABareDiffRefused)
{
    const std::string id =
        lintally::testing::GitOutput(repo.Root(), "rev-parse HEAD:a.c").substr(0, 40);
    const std::string loose = repo.Path(".git/objects/" + id.substr(0, 2) + "/" + id.substr(2));
    std::filesystem::permissions(loose, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::filesystem::resize_file(loose, 20);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--rev", "HEAD", "."},
          std::vector<std::string>{"diff", "--old-rev", "v1", "--new-rev", "HEAD", "."}}) {
        const CliResult damaged = Run(args);
        EXPECT_EQ(damaged.status, 3) << args[0];
        EXPECT_NE(damaged.err.find("cannot read a.c at revision 'HEAD': object " + id),
                  std::string::npos)
            << damaged.err;
    }
    Git(repo.Root(), "clone -q --bare . bare.git");
    const CliResult bare = RunCli({{"diff", "--old-rev", "v1", "."}, repo.Path("bare.git")});
    EXPECT_EQ(bare.status, 2);
    EXPECT_TRUE(IsOneErrorLine(bare.err)) << bare.err;
    EXPECT_NE(bare.err.find("bare repository"), std::string::npos) << bare.err;
}

// Rows of files in sub-folders carry the system's separator whichever way the files were
// chosen, so counts of a work tree, its tracked files and its HEAD compare row by row.
TEST(CliGitRows, TrackedFilesAndARevisionNameRowsAsAPlainCountDoes)
{
    const TempFolder repo;
    repo.Write("top.c", "int t;\n");
    repo.Write("src/deep/a.c", "int a;\n// a\n");
    Git(repo.Root(), "init -q");
    Git(repo.Root(), "add -A");
    Git(repo.Root(), "commit -qm first");
    const auto rows = [&repo](std::vector<std::string> args) {
        args.insert(args.end(), {"--by", "file", "-f", "csv", repo.Root()});
        const CliResult result = RunCli({args, ""});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    };
    const std::string plain = rows({});
    EXPECT_NE(plain.find(std::filesystem::path("src/deep/a.c").make_preferred().string()),
              std::string::npos)
        << plain;
    EXPECT_EQ(rows({"--git"}), plain);
    EXPECT_EQ(rows({"--rev", "HEAD"}), plain);
}
