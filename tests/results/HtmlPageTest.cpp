// The page's shell: its data cannot end or bend the script element it sits in, whatever the
// names hold, and the page asks for nothing outside itself.
#include "results/HtmlCharts.h"
#include "results/HtmlPage.h"
#include "results/JsonCsv.h"

#include <gtest/gtest.h>

#include "HtmlPageData.h"

using namespace lintally::results;

TEST(ScriptSafeJson, EscapesWhatCouldEndTheScriptInsideStringsOnly)
{
    const struct
    {
        std::string json;
        std::string safe;
    } cases[] = {
        {R"({"a": "</script><!--"})", R"({"a": "\u003c/script\u003e\u003c!--"})"},
        {"[\"x\x01y\x7F\", 1]", R"(["x\u0001y\u007f", 1])"},
        {"[\"\xC2\x85\xE2\x80\xA8\xE2\x80\xA9\xC3\xA9\"]", "[\"\\u0085\\u2028\\u2029\xC3\xA9\"]"},
        {R"(["q\"<", "&"])", R"(["q\"\u003c", "\u0026"])"},
        {"{\"k\":\n1}\n", "{\"k\":1}"},
        {R"(["\\", "<"])", R"(["\\", "\u003c"])"},
    };
    for (const auto& c : cases) {
        const std::string safe = ScriptSafeJson(c.json);
        EXPECT_EQ(safe, c.safe) << c.json;
        if (nlohmann::json::accept(c.json)) {
            EXPECT_EQ(nlohmann::json::parse(safe), nlohmann::json::parse(c.json)) << c.json;
        }
    }
}

TEST(HtmlPage, HostileNamesStayDataAndThePageNeedsNothingOutside)
{
    const std::string hostile = "</script><!--<script>\x1b\xFF\xC0";
    TextOut text;
    HtmlPage page(text, "count", hostile, hostile, {{hostile, -3, true}});
    page.AddChart(BarsChart(hostile, "Code", {{hostile, 5, {{hostile, 1}}}}));
    page.StartTable({{hostile}, {"N", true}});
    const std::string name = JsonText(hostile);
    page.AddRow(std::string("[").append(name).append(", 5]"));
    page.Finish("");
    const std::string html = text.Take();

    std::size_t scripts = 0;
    for (std::size_t at = html.find("</script"); at != std::string::npos;
         at = html.find("</script", at + 1)) {
        ++scripts;
    }
    EXPECT_EQ(scripts, 2u);  // the data's and the code's own ends
    for (const char* outside : {"<!--", "src=", "href=", "url(", "@import", "https:"}) {
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
    const nlohmann::json data = PageData(html);
    const std::string valid = ToValidUtf8(hostile);
    EXPECT_EQ(data["title"], valid);
    EXPECT_EQ(data["facts"][0][0], valid);
    EXPECT_EQ(data["charts"][0]["items"][0]["name"], valid);
    EXPECT_EQ(data["columns"][1], (nlohmann::json{{"label", "N"}, {"num", true}}));
    EXPECT_EQ(data["rows"], nlohmann::json::array({nlohmann::json::array({valid, 5})}));
    EXPECT_FALSE(data.contains("total"));
}
