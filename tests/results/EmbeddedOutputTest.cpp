// A count with embedded code and complexity in each output: the parts under their file, the
// Complexity column and field, and a saved count read back as it was written.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "linecount/WideLanguages.h"
#include "results/CountJson.h"
#include "results/CountTable.h"
#include "results/JsonCsv.h"
#include "tests/support/TempFolder.h"

using namespace lintally::results;
using lintally::scan::CountSettings;
using lintally::scan::RowList;
using lintally::scan::ScanResult;
using lintally::testing::TempFolder;

namespace {

std::int32_t Id(const char* file)
{
    return PrjHelper::WideLanguageOfName(file);
}

CountSettings Detailed()
{
    CountSettings settings;
    settings.languages = lintally::scan::LanguageTable::Wide;
    settings.embedded = true;
    settings.complexity = true;
    return settings;
}

ScanResult Guide()
{
    ScanResult result;
    result.rows.Add("guide.md", 4, {1, 0, 3}, Id("a.md"), 0,
                    {{Id("a.rs"), {0, 1, 2}, 3}, {Id("a.py"), {0, 0, 1}, 1}});
    result.files = 1;
    result.total = 8;
    result.kinds = {1, 1, 6};
    result.complexity = 4;
    return result;
}

}  // namespace

TEST(EmbeddedOutput, JsonNestsThePartsAndCsvListsThemAfterTheirFile)
{
    const ScanResult result = Guide();
    JsonSummary summary{{"."}, Detailed(), "file"};
    summary.files = 1;
    summary.kinds = result.kinds;
    summary.complexity = result.complexity;
    const auto document = nlohmann::json::parse(FormatJson(".", result.rows, 8, {}, &summary));
    EXPECT_EQ(document["totals"]["complexity"], 4);
    EXPECT_EQ(document["files"][0]["complexity"], 0);
    EXPECT_EQ(document["files"][0]["embedded"], nlohmann::json::parse(R"([
        {"language": "Rust", "code": 2, "comment": 1, "blank": 0, "physical": 3, "complexity": 3},
        {"language": "Python", "code": 1, "comment": 0, "blank": 0, "physical": 1, "complexity": 1}])"));
    EXPECT_EQ(FormatCsv(result.rows, Detailed()),
              "file,lines,language,code,comment,blank,physical,complexity\n"
              "guide.md,4,Markdown,3,0,1,4,0\n"
              "guide.md,3,Rust,2,1,0,3,3\n"
              "guide.md,1,Python,1,0,0,1,1\n");
    EXPECT_EQ(FormatCsv(result.rows).find("complexity"), std::string::npos);
}

TEST(EmbeddedOutput, TablePerFileShowsEachPartOnItsOwnLine)
{
    ScanResult result = Guide();
    TextOut text;
    WriteTable(text, {true, {}}, Detailed(), result);
    const std::string table = text.Take();
    EXPECT_NE(table.find("Complexity"), std::string::npos) << table;
    EXPECT_NE(table.find("guide.md (Rust)        3     2        1      0           3"),
              std::string::npos)
        << table;
}

TEST(EmbeddedOutput, SavedCountKeepsThePartsAndComplexity)
{
    const ScanResult result = Guide();
    JsonSummary summary{{"."}, Detailed(), "file"};
    const TempFolder files;
    CountJson saved;
    std::string error;
    ASSERT_TRUE(ReadCountJson(
        files.Write("count.json", FormatJson(".", result.rows, 8, {}, &summary)), saved, error))
        << error;
    EXPECT_TRUE(saved.settings.embedded && saved.settings.complexity);
    ASSERT_EQ(saved.rows.size(), 1u);
    const lintally::scan::RowView row = saved.rows[0];
    ASSERT_EQ(row.embedded.size(), 2u);
    EXPECT_EQ(saved.languages[static_cast<std::size_t>(row.embedded[0].lang)], "Rust");
    EXPECT_EQ(row.embedded[0].kinds, (PrjHelper::LineBreakdown{0, 1, 2}));
    EXPECT_EQ(row.embedded[1].complexity, 1u);
}
