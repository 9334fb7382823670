// lintally-cli diff: the same differences from folders and from saved counts, statuses,
// the code lines added and removed, refused options and --fail-if-grows.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/CodeLineChanges.h"
#include "tests/cli/CliRunner.h"
#include "tests/results/HtmlPageData.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::IsOneErrorLine;
using lintally::testing::NativePath;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;
using nlohmann::json;

namespace {

// OLD and NEW of one project: an edit of a code, a comment and a blank line each, an edit in
// place (same counts), a file added, one removed and one renamed.
void MakeSides(const TempFolder& tree)
{
    tree.Write("old/src/main.c", "int main;\n// says hi\n\nreturn;\n");
    tree.Write("new/src/main.c", "int main;\nint more;\n// says hi\n// twice\n\n\nreturn;\n");
    tree.Write("old/src/edit.c", "int a;\nint b;\n");
    tree.Write("new/src/edit.c", "int a;\nint c;\n");
    tree.Write("old/src/gone.c", "int g;\n");
    tree.Write("new/src/Added.java", "int x = 1;\n// c\nint y = 2;\n");
    tree.Write("old/lib/name.h", "int n;\n/* c */\n");
    tree.Write("new/lib/renamed.h", "int n;\n/* c */\n");
    tree.Write("old/same.c", "int s;\n");
    tree.Write("new/same.c", "int s;\n");
}

json Diff(std::vector<std::string> args, int status = 0)
{
    args.insert(args.begin(), "diff");
    const CliResult result = RunCli({args, ""});
    EXPECT_EQ(result.status, status) << result.err;
    return result.out.empty() ? json() : json::parse(result.out);
}

std::string Save(const TempFolder& tree, const std::string& side,
                 std::vector<std::string> options = {})
{
    const std::string path = tree.Path(side + ".json");
    options.insert(options.end(), {"-f", "json", "-o", path, tree.Path(side)});
    EXPECT_EQ(RunCli({options, ""}).status, 0);
    return path;
}

// The diff without what only a comparison of texts knows.
json CountsOnly(json diff)
{
    for (json* row : {&diff["total"]}) {
        row->erase("code_added");
        row->erase("code_removed");
    }
    for (json& row : diff["groups"]) {
        row.erase("code_added");
        row.erase("code_removed");
    }
    return json{{"groups", diff["groups"]}, {"total", diff["total"]}};
}

}  // namespace

TEST(CliDiff, FoldersAndSavedCountsGiveTheSameDifferences)
{
    const TempFolder tree;
    MakeSides(tree);
    const std::string oldJson = Save(tree, "old");
    const std::string newJson = Save(tree, "new");
    for (const char* by : {"file", "language", "dir"}) {
        const json folders = Diff({"-f", "json", "--by", by, tree.Path("old"), tree.Path("new")});
        EXPECT_EQ(CountsOnly(Diff({"-f", "json", "--by", by, oldJson, newJson})),
                  CountsOnly(folders))
            << by;
        EXPECT_EQ(CountsOnly(Diff({"-f", "json", "--by", by, oldJson, tree.Path("new")})),
                  CountsOnly(folders))
            << by;
    }
    const json diff = Diff({"-f", "json", tree.Path("old"), tree.Path("new")});
    EXPECT_EQ(diff["old"], (json{{"kind", "folder"}, {"path", tree.Path("old")}}));
    EXPECT_EQ(diff["total"]["old"],
              (json{{"files", 5}, {"code", 7}, {"comment", 2}, {"blank", 1}, {"counted", 10}}));
    EXPECT_EQ(diff["total"]["delta"],
              (json{{"files", 0}, {"code", 2}, {"comment", 2}, {"blank", 1}, {"counted", 5}}));
    EXPECT_EQ(diff["total"]["files_added"], 2);
    EXPECT_EQ(diff["total"]["files_removed"], 2);
    EXPECT_EQ(diff["total"]["files_changed"], 1);
}

TEST(CliDiff, ByFileEachFileHasItsStatusAndItsCodeLines)
{
    const TempFolder tree;
    MakeSides(tree);
    const json diff = Diff({"-f", "json", tree.Path("old"), tree.Path("new")});
    const bool lines = diff["line_changes"];
    EXPECT_TRUE(lines) << "folders' texts are compared";
    // name: status, code lines added, removed
    const std::map<std::string, std::tuple<std::string, int, int>> expected = {
        {NativePath("lib/name.h"), {"removed", 0, 1}},
        {NativePath("lib/renamed.h"), {"added", 1, 0}},
        {"same.c", {"same", 0, 0}},
        {NativePath("src/Added.java"), {"added", 2, 0}},
        {NativePath("src/edit.c"), {"same", 1, 1}},
        {NativePath("src/gone.c"), {"removed", 0, 1}},
        {NativePath("src/main.c"), {"changed", 1, 0}},
    };
    ASSERT_EQ(diff["groups"].size(), expected.size()) << diff.dump();
    for (const json& row : diff["groups"]) {
        const auto& [status, added, removed] = expected.at(row["name"]);
        EXPECT_EQ(row["status"], status) << row["name"];
        EXPECT_EQ(row.contains("code_added"), lines) << row["name"];
        if (lines) {
            EXPECT_EQ(row["code_added"], added) << row["name"];
            EXPECT_EQ(row["code_removed"], removed) << row["name"];
        }
    }
    if (lines) {
        EXPECT_EQ(diff["total"]["code_added"], 5);
        EXPECT_EQ(diff["total"]["code_removed"], 3);
    }
    // A saved side has no texts: no code lines are claimed.
    EXPECT_FALSE(Diff({"-f", "json", Save(tree, "old"), tree.Path("new")}).contains("code_added"));
}

TEST(CliDiff, AnHtmlPageHoldsTheJsonTotalsAndTheCodeAddedAndRemoved)
{
    TempFolder tree;
    MakeSides(tree);
    const json total = Diff({"-f", "json", tree.Path("old"), tree.Path("new")})["total"];
    const CliResult html = RunCli({{"diff", "-f", "html", tree.Path("old"), tree.Path("new")}, ""});
    ASSERT_EQ(html.status, 0) << html.err;
    const json page = PageData(html.out);
    EXPECT_EQ(page["total"], json::array({"Total", total["old"]["code"], total["new"]["code"],
                                          total["delta"]["code"], total["code_added"],
                                          -total["code_removed"].get<int>(), total["files_added"],
                                          total["files_removed"], total["files_changed"]}));
    std::uint64_t added = 0;
    for (const json& language : page["charts"][0]["items"]) {
        added += language["added"].get<std::uint64_t>();
    }
    EXPECT_EQ(added, total["code_added"]);
    EXPECT_FALSE(page["charts"][1]["items"].empty());
}

// A file past the limit of code lines compared is named on standard error and its code lines
// are marked not computed, in its row and the total, never a silent 0; exit 3.
TEST(CliDiff, AFileTooLargeToCompareIsNamedAndNotComputed)
{
    const TempFolder tree;
    std::string big;
    for (std::size_t i = 0; i <= lintally::cli::kMaxComparedLines; ++i) {
        big += "x\n";
    }
    tree.Write("old/big.c", big);
    tree.Write("new/big.c", "y\n");
    tree.Write("old/small.c", "a;\n");
    tree.Write("new/small.c", "b;\n");
    const CliResult result =
        RunCli({{"diff", "-f", "json", "--by", "file", tree.Path("old"), tree.Path("new")}, ""});
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    EXPECT_NE(result.err.find("not computed for big.c"), std::string::npos) << result.err;
    const json diff = json::parse(result.out);
    EXPECT_EQ(diff["groups"][0]["code_added"], nullptr);
    EXPECT_EQ(diff["groups"][0]["code_removed"], nullptr);
    EXPECT_EQ(diff["groups"][1]["code_added"], 1);
    EXPECT_EQ(diff["total"]["code_removed"], nullptr);
}

TEST(CliDiff, TheTableCarriesTheTotalsAndTheCsvItsRowsAlone)
{
    const TempFolder tree;
    MakeSides(tree);
    const CliResult table = RunCli({{"diff", tree.Path("old"), tree.Path("new")}, ""});
    EXPECT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("\nJava "), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("Files: 5 before, 5 after: 2 added, 2 removed, 1 changed, 2 the same"),
              std::string::npos)
        << table.out;
    const CliResult csv =
        RunCli({{"diff", "-f", "csv", "--by", "language", tree.Path("old"), tree.Path("new")}, ""});
    // the files added, removed and changed, then old, new and delta of files, code, comment,
    // blank and counted (then, where the build has a line diff, the code lines added and
    // removed); no total line
    EXPECT_NE(csv.out.find("\nJava,1,0,0,0,1,1,0,2,2,0,1,1,0,0,0,0,3,3"), std::string::npos)
        << csv.out;
    EXPECT_EQ(csv.out.find("\ntotal"), std::string::npos) << csv.out;
}

TEST(CliDiff, SavedCountsOfOtherOptionsAreRefused)
{
    const TempFolder tree;
    MakeSides(tree);
    const std::string blankless = Save(tree, "old", {"--exclude-blank"});
    const std::string plain = Save(tree, "new");
    tree.Write("grouped.json",
               RunCli({{"-f", "json", "--by", "language", tree.Path("old")}, ""}).out);
    tree.Write("other.json", "[1, 2]\n");
    tree.Write("cloc.json", R"({"header": {"n_files": 1}, "C": {"nFiles": 1, "code": 1}})");
    json twice = json::parse(ReadAll(plain));
    twice["files"].push_back(twice["files"][0]);
    tree.Write("twice.json", twice.dump());
    const std::vector<std::vector<std::string>> refused = {
        {blankless, plain},                     // the sides differ
        {"--exclude-blank", blankless, plain},  // NEW differs from the options given
        {blankless, tree.Path("new")},          // the folder is counted as given
        {tree.Path("grouped.json"), plain},     // group sums, no files
        {tree.Path("other.json"), plain},       // not a count
        {tree.Path("cloc.json"), plain},        // another program's count
        {tree.Path("twice.json"), plain},       // a file listed twice
        {tree.Path("missing"), plain},
        {tree.Path("old")},  // NEW missing
    };
    for (const auto& args : refused) {
        std::vector<std::string> all{"diff"};
        all.insert(all.end(), args.begin(), args.end());
        const CliResult result = RunCli({all, ""});
        EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
        EXPECT_TRUE(IsOneErrorLine(result.err)) << result.err;
    }
    EXPECT_NE(RunCli({{"diff", blankless, plain}, ""}).err.find("exclude_blank: true there"),
              std::string::npos);
    EXPECT_NE(RunCli({{"diff", tree.Path("cloc.json"), plain}, ""}).err.find("lists no \"files\""),
              std::string::npos);
    EXPECT_NE(
        RunCli({{"diff", tree.Path("twice.json"), plain}, ""})
            .err.find("lists the file " + twice["files"][0]["name"].get<std::string>() + " twice"),
        std::string::npos);
    // Given the options both were counted with, they compare.
    Diff({"-f", "json", "--exclude-blank", blankless, Save(tree, "new", {"--exclude-blank"})});
}

TEST(CliDiff, FailIfGrowsExitsFourOnlyPastItsLimit)
{
    const TempFolder tree;
    MakeSides(tree);  // the counted lines grow by 5
    for (const auto& [limit, status] :
         std::vector<std::pair<std::string, int>>{{"5", 0}, {"4", 4}, {"0", 4}}) {
        const CliResult result =
            RunCli({{"diff", "--fail-if-grows", limit, tree.Path("old"), tree.Path("new")}, ""});
        EXPECT_EQ(result.status, status) << limit << ": " << result.err;
        EXPECT_NE(result.out.find("Total"), std::string::npos) << "the diff is still shown";
    }
    // Shrinking never fails.
    EXPECT_EQ(
        RunCli({{"diff", "--fail-if-grows", "0", tree.Path("new"), tree.Path("old")}, ""}).status,
        0);
}

TEST(CliDiff, FoldersASavedCountSkippedAreNamedAndTheDiffIsIncomplete)
{
    const TempFolder tree;
    MakeSides(tree);
    const std::string saved = Save(tree, "old");
    json count = json::parse(lintally::testing::ReadAll(saved));
    count["skipped"] = {{"unreadable", 0},
                        {"folders", {{{"name", "locked"}, {"reason", "Permission denied"}}}}};
    tree.Write("old.json", count.dump());
    const CliResult result = RunCli({{"diff", saved, tree.Path("new")}, ""});
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.out.find("Total"), std::string::npos) << "the diff is still shown";
    EXPECT_NE(result.err.find("skipped folder locked of " + saved + ": Permission denied"),
              std::string::npos)
        << result.err;
}
