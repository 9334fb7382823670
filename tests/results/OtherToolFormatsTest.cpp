// The forms other tools read (YAML, XML, SQL, OpenMetrics) and the cost estimate, in-process.
// Real readers of each form check the whole output in tests/cli/format-readers.
#include "results/CostEstimate.h"
#include "results/CountOpenMetrics.h"
#include "results/CountOutput.h"
#include "results/CountSql.h"
#include "results/CountXml.h"
#include "results/YamlFromJson.h"

#include <gtest/gtest.h>

#include "linecount/WideLanguages.h"

using namespace lintally::results;
using lintally::scan::GroupRow;
using lintally::scan::RowList;

namespace {

std::string Yaml(std::string_view json, std::size_t piece)
{
    std::string out;
    YamlFromJson yaml(out);
    for (std::size_t at = 0; at < json.size(); at += piece) {
        yaml.Feed(json.substr(at, piece));
    }
    return out;
}

}  // namespace

TEST(YamlFromJson, WritesBlockStyleWhateverThePiecesItComesIn)
{
    const std::pair<std::string, std::string> cases[] = {
        {R"({"a": 1, "b": "x"})", "a: 1\nb: \"x\"\n"},
        {R"({"o": {"k": true}, "e": {}, "l": []})", "o:\n  k: true\ne: {}\nl: []\n"},
        {R"({"f": [{"k": "a", "m": [1, 2]}, {"k": "b"}]})",
         "f:\n  - k: \"a\"\n    m:\n      - 1\n      - 2\n  - k: \"b\"\n"},
        {R"({"l": [[], [3]]})", "l:\n  - []\n  - - 3\n"},
        // Quotes, escapes and brackets inside strings stay in the string.
        {R"({"s": "a\"b\\ {[,:]}"})", "s: \"a\\\"b\\\\ {[,:]}\"\n"},
        // Keys YAML would read as something else keep their quotes.
        {R"({"no": 1, "n": 2, "Up": 3, "a-b": 4, "x_1": 5})",
         "\"no\": 1\n\"n\": 2\n\"Up\": 3\n\"a-b\": 4\nx_1: 5\n"},
        // Characters YAML readers fold or refuse raw are escaped.
        {"{\"s\": \"a\xE2\x80\xA8z\xEF\xBF\xBF\"}", "s: \"a\\u2028z\\uffff\"\n"},
    };
    for (const auto& [json, yaml] : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, json.size()}) {
            EXPECT_EQ(Yaml(json + "\n", piece), yaml) << json << " in pieces of " << piece;
        }
    }
}

TEST(OtherToolFormats, TextsAreEscapedForEachForm)
{
    EXPECT_EQ(XmlText("a&b<c>\"d'e"), "a&amp;b&lt;c&gt;&quot;d&apos;e");
    EXPECT_EQ(XmlText("t\x01\n\xFF\xEF\xBF\xBE"), "t\\x01\\n\xEF\xBF\xBD\\ufffe");
    EXPECT_EQ(SqlText(""), "''");
    EXPECT_EQ(SqlText("it's"), "'it''s'");
    EXPECT_EQ(SqlText("\na\x1B"
                      "b\xC2\x9B"),
              "'' || char(10) || 'a' || char(27) || 'b' || char(155)");
    EXPECT_EQ(SqlText("x\xFF"), "'x\xEF\xBF\xBD'");
    EXPECT_EQ(OpenMetricsLabel("a\\b\"c\nd\x7F"), "a\\\\b\\\"c\\\\nd\\\\x7f");
}

TEST(OtherToolFormats, XmlListsFilesAndSumsThemByLanguage)
{
    const std::int32_t c = PrjHelper::AnyLanguageIdOf("C", true);
    RowList rows;
    rows.Add("b.c", 6, {1, 1, 4}, c);
    rows.Add("a.c", 3, {1, 0, 2}, c);
    TextOut text;
    WriteCountXml(text, "r", rows);
    const std::string xml = text.Take();
    EXPECT_NE(xml.find("<n_files>2</n_files><n_lines>9</n_lines>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<file name=\"b.c\" blank=\"1\" comment=\"1\" code=\"4\" language=\"C\"/>\n"
                       "    <file name=\"a.c\""),
              std::string::npos);
    EXPECT_NE(xml.find("<total blank=\"2\" comment=\"1\" code=\"6\"/>\n  </files>"),
              std::string::npos);
    EXPECT_NE(
        xml.find("<language name=\"C\" files_count=\"2\" blank=\"2\" comment=\"1\" code=\"6\"/>"),
        std::string::npos);
}

TEST(OtherToolFormats, SqlAndOpenMetricsHoldEveryRowBetweenTheirFrame)
{
    RowList rows;
    rows.Add("a\xFF.c", 3, {1, 0, 2}, 0);
    TextOut files;
    WriteFilesSql(files, "r", rows);
    const std::string sql = files.Take();
    EXPECT_EQ(sql.rfind("BEGIN TRANSACTION;\nCREATE TABLE IF NOT EXISTS lintally_files (", 0), 0u);
    EXPECT_NE(sql.find(", X'61ff2e63', "), std::string::npos) << sql;
    EXPECT_NE(sql.find(", 3, 2, 0, 1, 3);\nCOMMIT;\n"), std::string::npos) << sql;

    const std::vector<GroupRow> groups = {{"src", 2, 7, {1, 1, 5}}, {"t", 1, 1, {0, 0, 1}}};
    TextOut grouped;
    WriteGroupsSql(grouped, "r", "dir:2", groups);
    EXPECT_NE(grouped.Take().find("VALUES ('r', 'dir:2', 't', 1, 1, 1, 0, 0, 1);\nCOMMIT;\n"),
              std::string::npos);

    TextOut metrics;
    WriteOpenMetrics(metrics, "dir", groups);
    const std::string om = metrics.Take();
    EXPECT_NE(om.find("# TYPE lintally_code_lines gauge\n# HELP lintally_code_lines Code lines.\n"
                      "lintally_code_lines{dir=\"src\"} 5\nlintally_code_lines{dir=\"t\"} 1\n"),
              std::string::npos)
        << om;
    EXPECT_EQ(om.substr(om.size() - 6), "# EOF\n");
}

TEST(CostEstimate, FollowsBasicCocomoAndStaysFiniteAtTheEnds)
{
    const CostEstimate ten = EstimateCost(10000, {60000, 2});
    EXPECT_NEAR(ten.effort, 26.93, 0.01);   // 2.4 * 10^1.05
    EXPECT_NEAR(ten.schedule, 8.74, 0.01);  // 2.5 * 26.93^0.38
    EXPECT_NEAR(ten.people, 3.08, 0.01);
    EXPECT_NEAR(ten.cost, 269'300, 100);  // 26.93 * 60000 / 12 * 2
    std::string json;
    AppendCostJson(json, ten);
    EXPECT_EQ(json,
              ", \"cost\": {\"model\": \"basic COCOMO, organic\", \"code\": 10000, "
              "\"effort_months\": 26.93, \"schedule_months\": 8.74, \"people\": 3.08, "
              "\"cost\": 269284, \"salary\": 60000, \"overhead\": 2}");
    EXPECT_NE(FormatCost(ten, "- ").find("- Cost: 269,284 (yearly salary 60,000, overhead 2)\n"),
              std::string::npos);

    const CostEstimate none = EstimateCost(0, {});
    EXPECT_EQ(none.effort + none.schedule + none.people + none.cost, 0);
    json.clear();
    AppendCostJson(json, EstimateCost(~std::uint64_t{0}, {1'000'000'000, 100}));
    EXPECT_NE(json.find("\"cost\": 9223372036854775807,"), std::string::npos) << json;
}

TEST(CostEstimate, ComesUnderTheTableAndInJsonAndYamlFromEveryFilesCode)
{
    const std::pair<OutputFormat, std::string> cases[] = {
        {OutputFormat::Table,
         "\n\nEstimate (basic COCOMO, organic mode) from 1,003 code "
         "lines:\n  Effort: 2.41 person-months\n"},
        {OutputFormat::Markdown,
         "\n\nEstimate (basic COCOMO, organic mode) from 1,003 code "
         "lines:\n- Effort: 2.41 person-months\n"},
        {OutputFormat::Json, "\"cost\": {\"model\": \"basic COCOMO, organic\", \"code\": 1003,"},
        {OutputFormat::Yaml, "\ncost:\n  model: \"basic COCOMO, organic\"\n  code: 1003\n"},
    };
    for (const auto& [format, shown] : cases) {
        lintally::scan::ScanResult result;
        result.rows.Add("a.c", 1234, {34, 200, 1000}, 0);
        result.rows.Add("z.h", 3, {0, 0, 3}, 0);
        result.files = 2;
        result.kinds = {34, 200, 1003};
        CountOutputOptions options;
        options.format = format;
        options.by.perFile = true;
        options.top = 1;
        options.roots = {"."};
        options.cost = CostInputs{};
        TextOut text;
        WriteCountOutput(options, result, text);
        EXPECT_NE(text.Take().find(shown), std::string::npos) << shown;
    }
}
