// The command line on trees and limits only POSIX systems have: pipes, symbolic links,
// names that are not UTF-8, unreadable files, and a file-size limit that binds root.
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"
#include "tests/support/GitCommand.h"
#include "tests/support/PosixTree.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::CliRun;
using lintally::testing::EntryCount;
using lintally::testing::IsOneErrorLine;
using lintally::testing::MakeFifo;
using lintally::testing::MakeLink;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::RunningAsRoot;
using lintally::testing::TempFolder;

namespace {

const std::string kTrees = std::string(LINTALLY_TEST_DATA) + "/trees";

}  // namespace

TEST(CliOutput, AFailedWriteGivesOneAndKeepsTheOldFile)
{
    const TempFolder tree;
    tree.Write("report.txt", "old report");
    CliRun run{{"-t", "*.*", "-o", tree.Path("report.txt"), "nested"}, kTrees};
    // The report (333 bytes) is longer: its write fails part-way, even for root. The
    // limit also caps the captured error output, so it must leave room for that line.
    run.fileSizeLimit = 200;
    const CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    EXPECT_EQ(ReadAll(tree.Path("report.txt")), "old report");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);  // no temporary file left behind
}

TEST(CliTrees, PipesLinksAndOddNamesAreHandled)
{
    const TempFolder tree;
    tree.Write("a.c", "int a;\nint b;\n");
    MakeLink(tree, "link.c", "a.c");
    tree.Folder("sub");
    MakeLink(tree, "sub/loop", "..");
    ASSERT_TRUE(MakeFifo(tree, "f.c"));
    tree.Write("caf\xE9 x.c", "1\n2\n3\n");
    tree.Write("lock.c", "int l;\n");
    chmod(tree.Path("lock.c").c_str(), 0);
    // The dialog's counts read a link to a file as the file; the default counts that file once.
    const auto once =
        nlohmann::json::parse(RunCli({{"-t", "*.c", "-f", "json", tree.Root()}, ""}).out);
    EXPECT_EQ(once["files"].size(), 3u);
    EXPECT_EQ(once["skipped"]["linked"], 1);
    const CliResult result =
        RunCli({{"--languages", "design", "-t", "*.c", "-f", "json", tree.Root()}, ""});
    ASSERT_EQ(result.status, 0);
    const auto files = nlohmann::json::parse(result.out)["files"];
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0]["name"], "a.c");
    EXPECT_EQ(files[1]["name"], "caf\xEF\xBF\xBD x.c");
    EXPECT_EQ(files[1]["lines"], 3);
    EXPECT_EQ(files[2]["name"], "link.c");
    EXPECT_EQ(files[2]["lines"], 2);
    EXPECT_EQ(files[3]["name"], "lock.c");
    EXPECT_EQ(files[3]["lines"], RunningAsRoot() ? 1 : 0);  // unreadable: a row with 0 lines

    const CliResult report = RunCli({{"-f", "report", "-t", "*.c", tree.Root()}, ""});
    EXPECT_NE(report.out.find("  3         caf\xE9 x.c\r\n"), std::string::npos);
}

TEST(CliTrees, NamesThatAreNotTextKeepTheirBytesThroughASavedCount)
{
    const TempFolder tree;
    tree.Write("src/bad\xFE.c", "int a;\n");
    tree.Write("src/bad\xFF.c", "int a;\nint b;\n");
    const CliResult saved =
        RunCli({{"-f", "json", "-o", tree.Path("count.json"), tree.Path("src")}, ""});
    ASSERT_EQ(saved.status, 0) << saved.err;
    const auto diff = nlohmann::json::parse(
        RunCli({{"diff", "-f", "json", tree.Path("count.json"), tree.Path("src")}, ""}).out);
    ASSERT_EQ(diff["groups"].size(), 2u) << diff.dump();
    for (const auto& row : diff["groups"]) {
        EXPECT_EQ(row["status"], "same") << diff.dump();
    }
}

TEST(CliTrees, AFolderThatCannotBeOpenedIsNamedOnStandardErrorAndInTheJson)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' runtime needs descriptors of its own";
#endif
    const TempFolder tree;
    tree.Write("x.c", "1\n");
    tree.Write("sub/y.c", "1\n");
    // Standard streams and the root fill the limit: "sub" cannot be opened (nor x.c, which
    // counts as unreadable).
    CliRun run{{"-j", "1", "-t", "*.c", "-f", "json", tree.Root()}, ""};
    run.openFileLimit = 4;
    const CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err,
              "lintally-cli: skipped folder sub: too deep: no more folders can be open at once\n"
              "lintally-cli: 1 folder was skipped\n");
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["skipped"]["unreadable"], 1);
    ASSERT_EQ(json["skipped"]["folders"].size(), 1u);
    EXPECT_EQ(json["skipped"]["folders"][0]["name"], "sub");
}

TEST(CliMessages, ControlBytesAreEscapedAndADashFolderIsExplained)
{
    const CliResult dash = RunCli({{"-dash"}, ""});
    EXPECT_EQ(dash.status, 2);
    EXPECT_EQ(
        dash.err,
        "lintally-cli: unknown option -dash (use -- before a folder whose name begins with '-')\n");
    const CliResult missing = RunCli({{"no\nsuch\x1b"}, ""});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(IsOneErrorLine(missing.err)) << missing.err;
    EXPECT_NE(missing.err.find("no\\nsuch\\x1b"), std::string::npos) << missing.err;
    const CliResult save = RunCli({{"-o", "bad\tfolder/out.txt", kTrees + "/nested"}, ""});
    EXPECT_EQ(save.status, 1);
    EXPECT_EQ(save.err,
              "lintally-cli: cannot create a temporary file in bad\\tfolder: No such file or "
              "directory\n");
}

TEST(CliMessages, AnEndlessListIsRefusedAtItsFirstLine)
{
    const CliResult result = RunCli({{"--files-from", "/dev/zero"}, ""});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "lintally-cli: the list /dev/zero: line 1 is longer than any path (" +
                              std::to_string(PATH_MAX - 1) + " bytes)\n");
}

TEST(CliProgress, AnInterruptErasesTheProgressLineAndExitsWith130)
{
    const TempFolder tree;
    // A sparse file far too large to count before the interrupt comes.
    const std::string big = tree.Write("big.c", "");
    ASSERT_EQ(truncate(big.c_str(), off_t{1} << 40), 0);
    // The dialog's counts: the file's zeros are not left out as binary.
    CliRun run{{"--progress", "--languages", "design", "-t", "*.c", tree.Root()}, ""};
    run.interruptOnceErrShows = "\r";  // the progress line is on the screen
    const CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 130);
    EXPECT_EQ(result.out, "");
    // What stays on the terminal is a line of blanks: the last thing drawn is the erase.
    const std::size_t lastLine = result.err.rfind('\r', result.err.size() - 2);
    ASSERT_NE(lastLine, std::string::npos) << result.err;
    EXPECT_EQ(result.err.find_first_not_of(' ', lastLine + 1), result.err.size() - 1) << result.err;
}

// With no options a project counts as people expect: every language the wide table knows,
// block comments spanning lines; git's ignored files, .git, binaries and a second way to a
// file left out.
TEST(CliDefaults, AProjectCountsItsLanguagesAndLeavesOutWhatPeopleExpect)
{
    const TempFolder tree;
    tree.Write(".gitignore", "build/\nnode_modules/\n");
    tree.Write("app.py",
               "\"\"\"A small app.\"\"\"\nimport sys\n\n\ndef main():\n    # greet\n"
               "    print(\"hi\")  # inline\n");
    tree.Write("main.go", "package main\n\n/* A block\n   comment */\nfunc main() {}\n");
    tree.Write("web/index.js",
               "// entry\nconst x = 1;\n/**\n * doc\n */\nfunction f() { return x; }\n");
    tree.Write("src/lib.c", "#include <stdio.h>\n/* one\n * two */\nint f(void) { return 0; }\n");
    tree.Write("Makefile", "all:\n\techo hi\n");
    tree.Write("README.md", "# Title\n\nText.\n");
    tree.Write("build/gen.c", "int generated;\n");
    tree.Write("node_modules/x/index.js", "module.exports = 1;\n");
    tree.Write("blob.c", std::string("int x;\0\0\1binary", 15));
    MakeLink(tree, "alias.py", "app.py");
    lintally::testing::Git(tree.Root(), "init -q");
    const CliResult result = RunCli(CliRun{{}, tree.Root()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, ReadAll(kTrees + "/project.default.table"));
    EXPECT_EQ(result.err, "");
}

TEST(CliGit, CountsTheTrackedFilesAndLeavesOutTheIgnoredOnes)
{
    const TempFolder tree;
    tree.Write("a.c", "1\n2\n");
    tree.Write("sub/b.c", "1\n");
    const std::string git = "git -C '" + tree.Root() + "' -c user.name=t -c user.email=t@t ";
    ASSERT_EQ(
        std::system((git + "init -q && " + git + "add -A && " + git + "commit -qm x").c_str()), 0);
    tree.Write("untracked.c", "1\n");
    tree.Write(".gitignore", "sub/\n");
    const CliResult tracked = RunCli({{"--git", "-f", "json", "."}, tree.Root()});
    ASSERT_EQ(tracked.status, 0) << tracked.err;
    EXPECT_EQ(nlohmann::json::parse(tracked.out)["total"], 3);
    const CliResult topOnly = RunCli({{"--git", "--no-sub", "-f", "json", "."}, tree.Root()});
    EXPECT_EQ(nlohmann::json::parse(topOnly.out)["total"], 2);  // a.c, not sub/b.c
    const CliResult ignoring =
        RunCli({{"--gitignore", "-f", "json", "--by", "file", "."}, tree.Root()});
    const auto json = nlohmann::json::parse(ignoring.out);
    EXPECT_EQ(json["total"], 3);               // a.c and untracked.c
    EXPECT_EQ(json["skipped"]["ignored"], 2);  // .git and sub
}
