// The command line against the committed golden trees (expected reports beside them) and
// the engine's golden source files (their first line states their counts).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::ReadAll;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

const std::string kData = LINTALLY_TEST_DATA;
const std::string kTrees = kData + "/trees";

// The committed reports name rows with '/'; the rows show the platform's separator. Only
// the rows between the two rules change: the root line is printed as it was given.
std::string WithNativeRows(std::string report)
{
    const std::string rule = "_____________________\r\n";
    const std::size_t first = report.find(rule);
    const std::size_t last =
        first == std::string::npos ? first : report.find(rule, first + rule.size());
    if (last != std::string::npos) {
        std::replace(report.begin() + static_cast<std::ptrdiff_t>(first),
                     report.begin() + static_cast<std::ptrdiff_t>(last), '/',
                     lintally::testing::PathSeparator());
    }
    return report;
}

struct GoldenCase
{
    const char* expected;  // file beside the trees
    std::vector<std::string> args;
};

const std::vector<GoldenCase> kGoldenCases = {
    {"filter.c-h.report", {"-t", "*.c,*.h", "filter"}},
    {"filter.c-h-strict.report", {"-t", "*.c,*.h", "--exclude-remed", "--exclude-blank", "filter"}},
    {"filter.all.report", {"-t", "*.*", "filter"}},
    {"filter.space.report", {"-t", "*.h ,*.c", "filter"}},
    {"filter.tar-gz.report", {"-t", "*.tar.gz", "filter"}},
    {"filter.none.report", {"-t", "*.cs", "filter"}},
    {"nested.all.report", {"-t", "*.*", "nested"}},
    {"nested.no-sub.report", {"--no-sub", "-t", "*.*", "nested/"}},
    {"nested.strict.report", {"-t", "*.c,*.h", "--exclude-remed", "--exclude-blank", "nested"}},
    {"nested.blocks.report",
     {"-t", "*.c,*.h", "--exclude-remed", "--exclude-blank", "--block-comments", "nested"}},
};

}  // namespace

TEST(CliGoldenTrees, PrintTheirExpectedReportsByteForByte)
{
    for (const GoldenCase& golden : kGoldenCases) {
        std::vector<std::string> args = {"-f", "report"};
        args.insert(args.end(), golden.args.begin(), golden.args.end());
        const CliResult result = RunCli({args, kTrees});
        EXPECT_EQ(result.status, 0) << golden.expected;
        EXPECT_EQ(result.out, WithNativeRows(ReadAll(kTrees + "/" + golden.expected)))
            << golden.expected;
        // Only a tree with nothing to count says so.
        EXPECT_EQ(result.err.empty(), result.out.find("(0 files)") == std::string::npos)
            << golden.expected << ": " << result.err;
    }
}

namespace {

struct TableCase
{
    const char* expected;
    std::vector<std::string> args;
    bool paths;  // the rows hold relative paths, written with '/' in the file
};

const std::vector<TableCase> kTableCases = {
    {"nested.language.table", {"-t", "*.*", "nested"}, false},
    {"nested.language-strict.table",
     {"-t", "*.*", "--exclude-remed", "--exclude-blank", "--block-comments", "nested"},
     false},
    {"filter.ext.table", {"-t", "*.*", "--by", "ext", "filter"}, false},
    {"filter.ext.csv", {"-t", "*.*", "-f", "csv", "--by", "ext", "filter"}, false},
    {"nested.dir.table", {"-t", "*.*", "--by", "dir", "nested"}, true},
    {"nested.dir2-name.table", {"-t", "*.*", "--by", "dir:2", "--sort", "name", "nested"}, true},
    {"filter-nested.dir.table", {"-t", "*.*", "--by", "dir", "filter", "nested"}, true},
    {"nested.file-blocks-top.table",
     {"--by", "file", "-t", "*.c,*.h", "--exclude-remed", "--exclude-blank", "--block-comments",
      "--sort", "code", "--top", "3", "nested"},
     true},
};

}  // namespace

// The tables of the dialog's counts: the design's table, options and types.
TEST(CliGoldenTrees, PrintTheirExpectedTablesAndCsv)
{
    for (const TableCase& golden : kTableCases) {
        std::vector<std::string> args = {"--languages", "design"};
        args.insert(args.end(), golden.args.begin(), golden.args.end());
        std::string expected = ReadAll(kTrees + "/" + golden.expected);
        if (golden.paths) {
            std::replace(expected.begin(), expected.end(), '/', lintally::testing::PathSeparator());
        }
        const CliResult result = RunCli({args, kTrees});
        EXPECT_EQ(result.status, 0) << golden.expected;
        EXPECT_EQ(result.out, expected) << golden.expected;
    }
}

// The default leaves out the lock file, the minified and the marked files and tells the
// shared suffixes (.h, .m, .pl) apart by content; --generated counts them too; the
// dialog's numbers leave nothing out.
TEST(CliGoldenTrees, GeneratedFilesAndSharedSuffixes)
{
    const std::pair<const char*, std::vector<std::string>> kCases[] = {
        {"generated.default.table", {"generated"}},
        {"generated.all.table", {"--generated", "generated"}},
        {"generated.design.table", {"--languages", "design", "-t", "*.*", "generated"}},
    };
    for (const auto& [expected, args] : kCases) {
        const CliResult result = RunCli({args, kTrees});
        EXPECT_EQ(result.status, 0) << expected;
        EXPECT_EQ(result.out, ReadAll(kTrees + "/" + expected)) << expected;
    }
}

TEST(CliGoldenTrees, JsonGroupsAddUpToTheFilesOfTheSameTree)
{
    const auto files = nlohmann::json::parse(
        RunCli({{"--languages", "design", "-t", "*.*", "-f", "json", "nested"}, kTrees}).out);
    const auto groups = nlohmann::json::parse(
        RunCli({{"--languages", "design", "-t", "*.*", "-f", "json", "--by", "dir:2", "nested"},
                kTrees})
            .out);
    EXPECT_FALSE(groups.contains("files"));
    EXPECT_EQ(groups["by"], "dir:2");
    EXPECT_EQ(groups["total"], files["total"]);
    std::map<std::string, std::uint64_t> sums;
    for (const auto& row : files["files"]) {
        EXPECT_EQ(row["physical"], row["code"].get<std::uint64_t>() +
                                       row["comment"].get<std::uint64_t>() +
                                       row["blank"].get<std::uint64_t>());
        for (const char* key : {"lines", "code", "comment", "blank", "physical"}) {
            sums[key] += row[key].get<std::uint64_t>();
        }
        sums["files"] += 1;
    }
    std::map<std::string, std::uint64_t> grouped;
    for (const auto& group : groups["groups"]) {
        for (const char* key : {"files", "lines", "code", "comment", "blank", "physical"}) {
            grouped[key] += group[key].get<std::uint64_t>();
        }
    }
    EXPECT_EQ(grouped, sums);
    // The totals record holds the same sums, the counted lines as "total" gives them.
    for (const auto& [key, sum] : {std::pair<const char*, const char*>{"files", "files"},
                                   {"code", "code"},
                                   {"comment", "comment"},
                                   {"blank", "blank"},
                                   {"physical", "physical"},
                                   {"counted", "lines"}}) {
        EXPECT_EQ(files["totals"][key], sums[sum]) << key;
    }
    EXPECT_EQ(files["totals"]["counted"], files["total"]);
    EXPECT_EQ(files["files"][2]["language"], "C/C++");
    EXPECT_EQ(files["options"]["types"], "*.*");
}

TEST(CliGoldenTrees, RootWithOrWithoutTrailingSeparatorGivesTheSameRows)
{
    const CliResult plain = RunCli({{"-f", "json", "-t", "*.*", "nested"}, kTrees});
    const CliResult slashed = RunCli({{"-f", "json", "-t", "*.*", "nested/"}, kTrees});
    const auto a = nlohmann::json::parse(plain.out);
    const auto b = nlohmann::json::parse(slashed.out);
    EXPECT_EQ(a["files"], b["files"]);
    EXPECT_EQ(a["total"], b["total"]);
    EXPECT_EQ(b["root"], "nested/");
}

TEST(CliDefaults, DesignTypesAreTheDialogsFirstPresetAndSubFoldersAreWalked)
{
    const std::string firstPreset =
        "*.c,*.cc,*.c++,*.cpp,*.h,*.hh,*.h++,*.hpp,*.cxx,*.hxx,*.inc,*.inl,*.asm,*.pas,*.frm,*.bas,"
        "*.php,*.php3,*.php4,*.asp,*.aspx,*.jsp,*.pl,*.cs,*.java";
    const TempFolder tree;
    std::set<std::string> expected;
    std::istringstream items(firstPreset);
    for (std::string item; std::getline(items, item, ',');) {
        const std::string name = "sub/f" + item.substr(1);
        tree.Write(name, "x;\n");
        expected.insert(name);
    }
    for (const char* other : {"f.py", "f.txt", "f.c.bak", "noext", "f.cpp2"}) {
        tree.Write(other, "x;\n");
    }
    const CliResult result = RunCli({{"--languages", "design", "-f", "json", tree.Root()}, ""});
    const auto json = nlohmann::json::parse(result.out);
    std::set<std::string> listed;
    for (const auto& file : json["files"]) {
        std::string name = file["name"];
        std::replace(name.begin(), name.end(), lintally::testing::PathSeparator(), '/');
        listed.insert(name);
    }
    EXPECT_EQ(listed, expected);
}

namespace {

// The options a golden key names ("plain", "remed+blank", "blocks", ...).
std::vector<std::string> OptionsForKey(const std::string& key)
{
    std::vector<std::string> args = {"--languages", "design", "-t", "*.*", "-f", "json"};
    if (key.find("remed") == std::string::npos) {
        args.push_back("--exclude-remed");
    }
    if (key.find("blank") == std::string::npos) {
        args.push_back("--exclude-blank");
    }
    if (key.find("blocks") != std::string::npos) {
        args.push_back("--block-comments");
    }
    return args;
}

// file name -> (key -> expected count), from each file's first line.
std::map<std::string, std::map<std::string, std::uint64_t>> GoldenCounts(const std::string& folder)
{
    std::map<std::string, std::map<std::string, std::uint64_t>> counts;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::string first;
        std::getline(in, first);
        const std::size_t mark = first.find("lintally:");
        if (mark == std::string::npos) {
            continue;
        }
        std::istringstream pairs(first.substr(mark + 9));
        std::string pair;
        while (pairs >> pair) {
            const std::size_t equals = pair.find('=');
            if (equals != std::string::npos) {
                counts[entry.path().filename().string()][pair.substr(0, equals)] =
                    std::stoull(pair.substr(equals + 1));
            }
        }
    }
    return counts;
}

}  // namespace

// The folder is named by an absolute path beginning with '/', which must reach the
// command line as ROOT on every system, never as a Windows-style option.
TEST(CliGoldenFiles, CountAsTheirFirstLineStates)
{
    const std::string folder = kData + "/golden";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << "no golden source files";
    }
    const auto expected = GoldenCounts(folder);
    ASSERT_FALSE(expected.empty());
    std::map<std::string, nlohmann::json> runs;
    for (const auto& [file, keys] : expected) {
        for (const auto& [key, count] : keys) {
            if (runs.find(key) == runs.end()) {
                std::vector<std::string> args = OptionsForKey(key);
                args.push_back(folder);
                runs[key] = nlohmann::json::parse(RunCli({args, ""}).out);
            }
            bool found = false;
            for (const auto& row : runs[key]["files"]) {
                if (row["name"] == file) {
                    found = true;
                    EXPECT_EQ(row["lines"], count) << file << " " << key;
                }
            }
            EXPECT_TRUE(found) << file;
        }
    }
}

TEST(CliDefaults, WithoutRootTheCurrentFolderIsCounted)
{
    const std::string folder = kTrees + "/nested";
    const CliResult omitted = RunCli({{"-t", "*.*", "--by", "file"}, folder});
    EXPECT_EQ(omitted.status, 0);
    EXPECT_NE(omitted.out.find("block.c"), std::string::npos);
    EXPECT_EQ(omitted.out, RunCli({{"-t", "*.*", "--by", "file", "."}, folder}).out);
}
