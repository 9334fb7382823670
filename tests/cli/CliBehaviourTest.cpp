// The command line's contract: exit statuses, its one-line errors, output to a file or a
// closed pipe, and thread count independence.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/BuildCommit.h"
#include "tests/cli/CliRunner.h"
#include "tests/results/HtmlPageData.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::CliRun;
using lintally::testing::EntryCount;
using lintally::testing::IsOneErrorLine;
using lintally::testing::NativePath;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

const std::string kTrees = std::string(LINTALLY_TEST_DATA) + "/trees";

// prefix + i + suffix, built by appending (GCC 12 warns wrongly on chained + of literals).
std::string Numbered(const char* prefix, int i, const char* suffix)
{
    std::string name(prefix);
    return name.append(std::to_string(i)).append(suffix);
}

}  // namespace

// Every usage error is checked in-process (CommandLineTest); this checks what the process
// makes of one: status 2, one line, nothing on standard output.
TEST(CliExitStatus, AUsageErrorGivesTwoAndOneLine)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--frobnicate", "."}, {"-j", "0", "."}}) {
        const CliResult result = RunCli({args, kTrees});
        const std::string shown = testing::PrintToString(args);
        EXPECT_EQ(result.status, 2) << shown;
        EXPECT_TRUE(IsOneErrorLine(result.err)) << shown << ": " << result.err;
        EXPECT_EQ(result.out, "") << shown;
    }
}

TEST(CliExitStatus, HelpAndVersionSucceed)
{
    const CliResult help = RunCli({{"--help"}, ""});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"--block-comments", "--by GROUP", "dir:N", "--sort KEY", "--top N",
                             "table (default)", "*.jsp, *.pl, *.cs, *.java", "blank lines count",
                             "\"too_large\": n", "--no-ignore", "--languages design"}) {
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    }
    const std::string commit = lintally::cli::kBuildCommit;
    EXPECT_TRUE(
        commit == "unknown" ||
        (commit.size() == 12 && commit.find_first_not_of("0123456789abcdef") == std::string::npos))
        << commit;
    for (const char* flag : {"--version", "-V"}) {
        const CliResult version = RunCli({{flag}, ""});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, "lintally-cli 1.0.0 (commit " + commit + ")\n");
    }
    // Help that cannot be written fails as a count's output does.
    CliRun closed{{"--help"}, ""};
    closed.closedStdout = true;
    const CliResult unwritten = RunCli(closed);
    EXPECT_EQ(unwritten.status, 1);
    EXPECT_TRUE(IsOneErrorLine(unwritten.err)) << unwritten.err;
}

TEST(CliOutput, WritesTheReportToAFileReplacingTheOldOne)
{
    const TempFolder tree;
    tree.Write("report.txt", std::string(10000, 'o'));
    const CliResult result = RunCli(
        {{"-f", "report", "-t", "*.c,*.h", "-o", tree.Path("report.txt"), "filter"}, kTrees});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadAll(tree.Path("report.txt")), ReadAll(kTrees + "/filter.c-h.report"));
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(CliOutput, AnOutputFileInAMissingFolderGivesOne)
{
    const TempFolder tree;
    const CliResult missing = RunCli({{"-o", tree.Path("no/such/folder.txt"), "filter"}, kTrees});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(IsOneErrorLine(missing.err)) << missing.err;
}

TEST(CliOutput, AClosedPipeEndsQuietly)
{
    CliRun run{{"-t", "*.*", "nested"}, kTrees};
    run.closedStdout = true;
    const CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
}

TEST(CliOutput, JsonAndCsvHoldTheSameRowsAsTheReport)
{
    const CliResult json =
        RunCli({{"--languages", "design", "-t", "*.*", "-f", "json", "nested"}, kTrees});
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["root"], "nested");
    EXPECT_EQ(document["total"], 20);
    ASSERT_EQ(document["files"].size(), 9u);
    EXPECT_EQ(document["files"][7]["name"], NativePath("with space/my file.c"));
    EXPECT_EQ(document["files"][7]["lines"], 2);

    const CliResult csv =
        RunCli({{"--languages", "design", "-t", "*.*", "--no-sub", "-f", "csv", "nested"}, kTrees});
    EXPECT_EQ(csv.out,
              "file,lines,language,code,comment,blank,physical\n.dot.c,1,Other,1,0,0,1\n"
              "block.c,4,C/C++,4,0,0,4\ncrlf.c,4,C/C++,1,2,1,4\ntop.c,1,C/C++,1,0,0,1\n");
}

// The page sums the files by language and by folder whatever --by says; --by picks its table.
TEST(CliOutput, AnHtmlPageHoldsTheSameTotalsAsJsonAndTheRowsOfBy)
{
    const auto json = nlohmann::json::parse(RunCli({{"-f", "json", "nested"}, kTrees}).out);
    const CliResult html = RunCli({{"-f", "html", "--by", "dir", "nested"}, kTrees});
    ASSERT_EQ(html.status, 0) << html.err;
    const nlohmann::json page = PageData(html.out);
    const nlohmann::json& totals = json["totals"];
    EXPECT_EQ(page["total"],
              nlohmann::json::array({"Total", totals["files"], totals["physical"], totals["code"],
                                     totals["comment"], totals["blank"]}));
    EXPECT_EQ(page["charts"][1]["root"]["value"], totals["code"]);
    std::uint64_t barsCode = 0;
    for (const auto& bar : page["charts"][0]["items"]) {
        barsCode += bar["value"].get<std::uint64_t>();
    }
    EXPECT_EQ(barsCode, totals["code"]);
    EXPECT_EQ(page["columns"][0]["label"], "Folder");
}

TEST(CliOutput, ProgressLineIsErasedAndOffByDefaultWithoutATerminal)
{
    const TempFolder tree;
    for (int i = 0; i < 3000; ++i) {
        tree.Write(Numbered("f", i, ".c"), "x\n");
    }
    const CliResult quiet = RunCli({{"-j", "1", tree.Root()}, ""});
    EXPECT_EQ(quiet.err, "");
    const CliResult shown = RunCli({{"--progress", "-j", "1", tree.Root()}, ""});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err.find('\n'), std::string::npos);
    if (!shown.err.empty()) {
        EXPECT_EQ(shown.err.back(), '\r');
        EXPECT_NE(shown.err.find(" files, "), std::string::npos);
    }
}

TEST(CliThreads, OneAndEightThreadsGiveTheSameOutput)
{
    const TempFolder tree;
    for (int i = 0; i < 600; ++i) {
        const std::string folder = Numbered("d", i % 9, "/");
        tree.Write(folder + Numbered("n", i, i % 2 == 0 ? ".c" : ".H"),
                   std::string(static_cast<std::size_t>(i % 17), '\n'));
    }
    const CliResult one = RunCli({{"-f", "report", "-j", "1", "-t", "*.c,*.h", tree.Root()}, ""});
    const CliResult eight = RunCli({{"-f", "report", "-j", "8", "-t", "*.c,*.h", tree.Root()}, ""});
    EXPECT_EQ(one.status, 0);
    EXPECT_NE(one.out.find("(600 files)."), std::string::npos);
    EXPECT_EQ(one.out, eight.out);
}
