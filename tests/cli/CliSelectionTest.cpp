// What the command line leaves out and says it left out: exclusions, binary and large files,
// lists of files, and the usage errors of these options.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::CliRun;
using lintally::testing::IsOneErrorLine;
using lintally::testing::NativePath;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

// A tree with a build folder, a binary file, a large file and a folder of version control.
void MakeTree(const TempFolder& tree)
{
    tree.Write("src/a.c", "int a;\nint b;\n");
    tree.Write("src/gen/made.c", "int c;\n");
    tree.Write("build/out.c", "int d;\n");
    tree.Write(".git/x.c", "int e;\n");
    tree.Write("blob.c", std::string("\x7f"
                                     "ELF\0\0\n",
                                     7));
    tree.Write("huge.c", std::string(3 * 1024, '\n'));
}

}  // namespace

TEST(CliSelection, MisuseGivesTwoAndOneLine)
{
    const TempFolder tree;
    tree.Write("list", "a.c\n");
    const std::vector<std::vector<std::string>> usageErrors = {
        {"--files-from", tree.Path("list"), tree.Root()},  // a list takes no ROOT
        {"--files-from", tree.Path("list"), "--git"},
        {"--files-from", tree.Path("missing")},
        {"-0", tree.Root()},
        {"--max-size", "0", tree.Root()},
        {"--max-size", "5X", tree.Root()},
        {"--exclude", "[ab", tree.Root()},
        {"--git", tree.Root()},  // no work tree here (or no git support in this build)
        {"--gitignore", tree.Root()},
    };
    for (const auto& args : usageErrors) {
        const CliResult result = RunCli({args, ""});
        const std::string shown = testing::PrintToString(args);
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_TRUE(IsOneErrorLine(result.err)) << shown << ": " << result.err;
        EXPECT_EQ(result.out, "") << shown;
    }
}

TEST(CliSelection, EverySkipReasonIsInTheFooterAndTheJson)
{
    const TempFolder tree;
    MakeTree(tree);
    tree.Write("src/parser.c", "/* A Bison parser, made by GNU Bison 3.8.2.  */\nint x;\n");
    tree.Write("vendor/a.c", "int a;\nint b;\n");
    const std::vector<std::string> choices = {
        "--exclude",     "build",      "--exclude", "src/gen/*.c", "--exclude-vcs",
        "--skip-binary", "--max-size", "2K",        "--unique"};
    std::vector<std::string> args = choices;
    args.insert(args.end(), {"--by", "file", tree.Root()});
    const CliResult table = RunCli({args, ""});
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find(NativePath("src/a.c")), std::string::npos);
    EXPECT_NE(table.out.find("Total (1 file)"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\nSkipped: 3 folders and files excluded, 1 binary file, 1 file too "
                             "large, 1 generated file, 1 duplicate file\n"),
              std::string::npos)
        << table.out;

    args = choices;
    args.insert(args.end(), {"-f", "json", tree.Root()});
    const auto json = nlohmann::json::parse(RunCli({args, ""}).out);
    EXPECT_EQ(json["total"], 2);
    EXPECT_EQ(json["skipped"], nlohmann::json::parse(R"({"excluded": 3, "ignored": 0, "binary": 1,
        "too_large": 1, "unreadable": 0, "linked": 0, "generated": 1, "duplicate": 1, "folders": []})"));

    // The dialog's counts leave nothing out, and nothing is said to be skipped.
    const CliResult plain = RunCli({{"--languages", "design", "--by", "file", tree.Root()}, ""});
    EXPECT_NE(plain.out.find("Total (8 files)"), std::string::npos) << plain.out;
    EXPECT_EQ(plain.out.find("Skipped"), std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(
                  RunCli({{"--languages", "design", "-f", "json", tree.Root()}, ""}).out)
                  .count("skipped"),
              0u);
}

TEST(CliSelection, FilesFromCountsExactlyTheListedFiles)
{
    const TempFolder tree;
    MakeTree(tree);
    // Lines as an editor on either system may save them (CR LF, the system's own separator),
    // and a NUL-separated list read from standard input, whose byte 0x1a a text-mode read
    // would take for the end of the input. ("nul" would name a device on Windows.)
    // A file listed again under another name still counts once.
    tree.Write("lines", NativePath("src/a.c") +
                            "\r\nbuild/out.c\n\nnot-there.c\nsrc/gen/made.c.txt\n./src/a.c\n" +
                            NativePath("build/../src/a.c") + "\n");
    tree.Write("names0", std::string("src/a.c\0\x1a\0build/out.c\0", 22));
    struct Case
    {
        std::vector<std::string> args;
        std::string input;
        std::size_t rows;  // with the missing file's empty row
        int unreadable;
    };
    const Case cases[] = {
        {{"--files-from", "lines", "-f", "json"}, "", 3, 1},
        {{"--files-from", "-", "-0", "-f", "json"}, tree.Path("names0"), 2, 0},
    };
    for (const Case& c : cases) {
        CliRun run{c.args, tree.Root()};
        run.inputPath = c.input;
        const CliResult result = RunCli(run);
        ASSERT_EQ(result.status, 0) << result.err;
        const auto json = nlohmann::json::parse(result.out);
        ASSERT_EQ(json["total"], 3) << result.out;
        EXPECT_EQ(json["files"][0]["name"], "build/out.c");
        EXPECT_EQ(json["files"].size(), c.rows);
        EXPECT_EQ(json.contains("skipped") ? json["skipped"]["unreadable"].get<int>() : 0,
                  c.unreadable);
    }
}
