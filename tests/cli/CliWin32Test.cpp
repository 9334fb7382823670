// The command line on Windows: the report with '\' between path parts, system entries left
// out, and an output file the system will not let go.
#include <gtest/gtest.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Win32Tree.h"

using lintally::testing::AddAttributes;
using lintally::testing::CliResult;
using lintally::testing::EntryCount;
using lintally::testing::ExclusiveOpen;
using lintally::testing::IsOneErrorLine;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

TEST(CliReport, NamesRowsWithBackslashesAndLeavesSystemEntriesOut)
{
    const TempFolder tree;
    tree.Write("src/a.c", std::string(1200, '\n'));
    tree.Write("b.h", "int b;\n// two\n");
    tree.Write("hid/c.c", "int c;\n");
    tree.Write("sys.c", "int s;\n");
    tree.Write("sysdir/d.c", "int d;\n");
    ASSERT_TRUE(AddAttributes(tree, "hid", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(AddAttributes(tree, "sys.c", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(AddAttributes(tree, "sysdir", FILE_ATTRIBUTE_SYSTEM));
    const std::string root = tree.Root() + "\\";
    const CliResult result = RunCli({{"-f", "report", "-t", "*.c,*.h", root}, ""});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "Folder:\r\n"
              "  " +
                  root +
                  "\r\n"
                  "\r\n"
                  "Source Files Info:\r\n"
                  "  Lines  |  File\r\n"
                  "_____________________\r\n"
                  "  2         b.h\r\n"
                  "  1         hid\\c.c\r\n"
                  "  1200      src\\a.c\r\n"
                  "_____________________\r\n"
                  "Total: 1,203(3 files).");
}

TEST(CliOutput, AnOutputFileHeldOpenGivesOneAndIsLeftAsItWas)
{
    const TempFolder tree;
    tree.Write("report.txt", "old report");
    tree.Write("src/a.c", "int a;\n");
    CliResult result;
    {
        const ExclusiveOpen held(tree.Path("report.txt"));
        ASSERT_TRUE(held.IsOpen());
        result = RunCli({{"-o", tree.Path("report.txt"), tree.Path("src")}, ""});
    }
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    EXPECT_EQ(ReadAll(tree.Path("report.txt")), "old report");
    EXPECT_EQ(EntryCount(tree.Root()), 2u);  // report.txt and src: no temporary file left
}
