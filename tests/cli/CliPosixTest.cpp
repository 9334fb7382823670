// The command line on trees and limits only POSIX systems have: pipes, symbolic links,
// names that are not UTF-8, unreadable files, and a file-size limit that binds root.
#include <sys/stat.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"
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
    const CliResult result = RunCli({{"-t", "*.c", "-f", "json", tree.Root()}, ""});
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

    const CliResult report = RunCli({{"-t", "*.c", tree.Root()}, ""});
    EXPECT_NE(report.out.find("  3         caf\xE9 x.c\r\n"), std::string::npos);
}
