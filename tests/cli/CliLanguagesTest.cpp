// --languages: the design table stays the default; the wide table names more files and,
// without -t, counts only the files it knows.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

using lintally::testing::CliResult;
using lintally::testing::IsOneErrorLine;
using lintally::testing::RunCli;
using lintally::testing::TempFolder;

namespace {

// name -> "language code/comment/blank" of each listed file.
std::map<std::string, std::string> Files(const std::vector<std::string>& args)
{
    const CliResult result = RunCli({args, ""});
    EXPECT_EQ(result.status, 0) << result.err;
    std::map<std::string, std::string> files;
    const auto json = nlohmann::json::parse(result.out);
    for (const auto& file : json["files"]) {
        std::string name = file["name"];
        std::replace(name.begin(), name.end(), lintally::testing::PathSeparator(), '/');
        files[name] = file["language"].get<std::string>() + " " +
                      std::to_string(file["code"].get<int>()) + "/" +
                      std::to_string(file["comment"].get<int>()) + "/" +
                      std::to_string(file["blank"].get<int>());
    }
    return files;
}

}  // namespace

TEST(CliLanguages, WideIsTheDefaultAndDesignCountsAsTheDialog)
{
    const TempFolder tree;
    tree.Write("a.c", "int x; /* a\nb */\n\n");
    tree.Write("sub/run", "#!/usr/bin/env bash\necho '#'\n");
    tree.Write("lib.rs", "/* /* */ */\nfn f() {}\n");
    tree.Write("notes.txt", "words\n");
    tree.Write("data", "no script\n");
    const std::map<std::string, std::string> design = {{"a.c", "C/C++ 2/0/1"}};
    EXPECT_EQ(Files({"-f", "json", "--block-comments", "--languages", "design", tree.Root()}),
              design);

    std::map<std::string, std::string> wide = {
        {"a.c", "C 1/1/1"}, {"sub/run", "Shell 2/0/0"}, {"lib.rs", "Rust 1/1/0"}};
    EXPECT_EQ(Files({"-f", "json", tree.Root()}), wide) << "block comments span lines";
    EXPECT_EQ(Files({"-f", "json", "--block-comments", "--languages", "wide", tree.Root()}), wide);
    wide["notes.txt"] = "Other 1/0/0";
    wide["data"] = "Other 1/0/0";
    EXPECT_EQ(
        Files({"-f", "json", "--block-comments", "--languages", "wide", "-t", "*.*", tree.Root()}),
        wide)
        << "with -t the types choose the files and unknown ones count as Other";

    const CliResult table = RunCli({{tree.Root()}, ""});
    EXPECT_NE(table.out.find("Rust"), std::string::npos) << table.out;
    const CliResult wrong = RunCli({{"--languages", "all", tree.Root()}, ""});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(IsOneErrorLine(wrong.err)) << wrong.err;
}

TEST(CliLanguages, EmbeddedCodeAddsToItsLanguageRowAndComplexityToItsColumn)
{
    const std::string golden = std::string(LINTALLY_TEST_DATA) + "/golden-embedded";
    const CliResult result =
        RunCli({{"-f", "json", "--by", "language", "--embedded", "--complexity", golden}, ""});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto document = nlohmann::json::parse(result.out);
    std::map<std::string, std::string> groups;
    for (const auto& group : document["groups"]) {
        groups[group["name"].get<std::string>()] = std::to_string(group["files"].get<int>()) + " " +
                                                   std::to_string(group["physical"].get<int>()) +
                                                   " " +
                                                   std::to_string(group["complexity"].get<int>());
    }
    EXPECT_EQ(groups["Markdown"], "1 19 0");
    EXPECT_EQ(groups["JavaScript"], "0 6 3") << "from the HTML page and the Svelte file";
    EXPECT_EQ(groups["TypeScript"], "0 5 2");
    const CliResult plain = RunCli({{"-f", "json", golden}, ""});
    EXPECT_EQ(nlohmann::json::parse(plain.out)["totals"]["physical"],
              document["totals"]["physical"]);

    const CliResult design = RunCli({{"--embedded", "--languages", "design", golden}, ""});
    EXPECT_EQ(design.status, 2);
    EXPECT_TRUE(IsOneErrorLine(design.err)) << design.err;
}
