#include "results/JsonCsv.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using lintally::results::FormatCsv;
using lintally::results::FormatGroupCsv;
using lintally::results::FormatJson;
using lintally::results::JsonSummary;
using lintally::results::ToValidUtf8;
using lintally::scan::GroupRow;
using lintally::scan::Row;
using lintally::scan::RowList;

namespace {
const std::string kFffd = "\xEF\xBF\xBD";
}

TEST(ToValidUtf8, KeepsValidTextAsItIs)
{
    const std::string text = "plain \xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(ToValidUtf8(text), text);
}

TEST(ToValidUtf8, ReplacesEachInvalidByteOnItsOwn)
{
    EXPECT_EQ(ToValidUtf8("a\xE9"
                          "b"),
              "a" + kFffd + "b");                       // Latin-1 byte
    EXPECT_EQ(ToValidUtf8("\x80\x80"), kFffd + kFffd);  // stray continuations
    EXPECT_EQ(ToValidUtf8("\xE2\x82"
                          "A"),
              kFffd + kFffd + "A");                                 // cut-short sequence
    EXPECT_EQ(ToValidUtf8("\xC0\x80"), kFffd + kFffd);              // overlong NUL
    EXPECT_EQ(ToValidUtf8("\xED\xA0\x80"), kFffd + kFffd + kFffd);  // surrogate
    EXPECT_EQ(ToValidUtf8("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);  // above U+10FFFF
    EXPECT_EQ(ToValidUtf8("\xF0\x9F\x98"), kFffd + kFffd + kFffd);              // ends mid-sequence
}

TEST(FormatJson, HoldsRootTotalAndRowsInOrder)
{
    const RowList rows = {{"a \"q\".c", 3}, {"sub/b\\c.h", 0}};
    const auto document = nlohmann::json::parse(FormatJson("/r\xE9", rows, 3));
    EXPECT_EQ(document["root"], "/r" + kFffd);
    EXPECT_EQ(document["total"], 3);
    ASSERT_EQ(document["files"].size(), 2u);
    EXPECT_EQ(document["files"][0]["name"], "a \"q\".c");
    EXPECT_EQ(document["files"][0]["lines"], 3);
    EXPECT_EQ(document["files"][1]["name"], "sub/b\\c.h");
    EXPECT_EQ(document["files"][1]["lines"], 0);
}

TEST(FormatJson, EmptyResultHasAnEmptyFileList)
{
    EXPECT_EQ(FormatJson("r", {}, 0), "{\"root\": \"r\", \"total\": 0, \"files\": []}\n");
}

TEST(FormatJson, AFolderThatWasNotReadIsListedUnderSkippedWithTheCounts)
{
    EXPECT_EQ(
        FormatJson("r", {}, 0, {{"sub", "cannot be opened"}}),
        "{\"root\": \"r\", \"total\": 0, \"files\": [], \"skipped\": {\"excluded\": 0, "
        "\"ignored\": 0, "
        "\"binary\": 0, \"too_large\": 0, \"unreadable\": 0, \"linked\": 0, \"generated\": 0, "
        "\"duplicate\": 0, \"folders\": "
        "[{\"name\": \"sub\", "
        "\"reason\": \"cannot be opened\"}]}}\n");
}

TEST(FormatCsv, QuotesOnlyFieldsThatNeedIt)
{
    const RowList rows = {
        {"plain.c", 1, {0, 1, 2}, 1}, {"a,b.c", 2}, {"say \"hi\".c", 3}, {"two\nlines.c", 4}};
    EXPECT_EQ(FormatCsv(rows),
              "file,lines,language,code,comment,blank,physical\n"
              "plain.c,1,C/C++,2,1,0,3\n"
              "\"a,b.c\",2,Other,0,0,0,0\n"
              "\"say \"\"hi\"\".c\",3,Other,0,0,0,0\n"
              "\"two\nlines.c\",4,Other,0,0,0,0\n");
    EXPECT_EQ(FormatGroupCsv("dir", {{"a,b", 2, 5, {1, 2, 3}}}),
              "dir,files,lines,code,comment,blank,physical\n\"a,b\",2,5,3,2,1,6\n");
}

TEST(FormatJson, GroupsStandInPlaceOfFilesAndTheOptionsAreNamed)
{
    const std::vector<GroupRow> groups = {{"C/C++", 2, 7, {1, 2, 4}}};
    lintally::scan::CountSettings settings;
    settings.types = "*.c";
    settings.includeRemed = false;
    settings.excludeBlank = true;
    settings.blockComments = true;
    const JsonSummary summary{{"a", "b"}, settings, "language", &groups};
    const auto document = nlohmann::json::parse(FormatJson("a", {}, 7, {}, &summary));
    EXPECT_FALSE(document.contains("files"));
    EXPECT_EQ(document["total"], 7);
    EXPECT_EQ(document["roots"], nlohmann::json::array({"a", "b"}));
    EXPECT_EQ(document["options"],
              nlohmann::json::parse(R"({"types": "*.c", "include_sub_folders": true,
        "include_remed": false, "exclude_blank": true, "block_comments": true, "languages": "design",
        "embedded": false, "complexity": false})"));
    EXPECT_EQ(document["groups"],
              nlohmann::json::parse(R"([{"name": "C/C++", "files": 2, "lines": 7,
        "code": 4, "comment": 2, "blank": 1, "physical": 7}])"));
}

TEST(WriteJson, HandsALargeResultOnInPiecesThatMakeTheWholeText)
{
    RowList rows;
    for (int i = 0; i < 5000; ++i) {
        rows.Add("dir/file" + std::to_string(i) + (i % 7 == 0 ? "\x01\xE9.c" : ".c"), 7, {1, 2, 4},
                 1);
    }
    std::vector<std::string> pieces;
    lintally::results::TextOut text([&](std::string_view piece) {
        pieces.emplace_back(piece);
        return true;
    });
    lintally::results::WriteJson(text, "root", rows, 35000);
    ASSERT_TRUE(text.Finish());
    ASSERT_GT(pieces.size(), 3u);
    std::string whole;
    for (const std::string& piece : pieces) {
        whole += piece;
    }
    EXPECT_EQ(whole, FormatJson("root", rows, 35000));
    EXPECT_EQ(nlohmann::json::parse(whole)["files"][7]["name"], "dir/file7\x01" + kFffd + ".c");

    int calls = 0;
    lintally::results::TextOut refused(
        [&](std::string_view) { return ++calls > 1 ? false : true; });
    lintally::results::WriteJson(refused, "root", rows, 35000);
    EXPECT_FALSE(refused.Finish());
    EXPECT_EQ(calls, 2) << "nothing is handed on after a refused piece";
}

TEST(FormatCsv, EscapesControlsAndBidirectionalMarksButKeepsQuotedLineBreaks)
{
    const RowList rows = {{std::string("clear\x1b[2J\x07\0.c", 13), 1},
                          {"c1\xC2\x9B.c\xE2\x80\xAE", 2},
                          {"two\nlines.c", 3}};
    EXPECT_EQ(FormatCsv(rows),
              "file,lines,language,code,comment,blank,physical\n"
              "clear\\x1b[2J\\x07\\x00.c,1,Other,0,0,0,0\n"
              "c1\\u009b.c\\u202e,2,Other,0,0,0,0\n"
              "\"two\nlines.c\",3,Other,0,0,0,0\n");
}

TEST(FormatJson, LeavesNoControlCharacterRawAndReadsBackToTheName)
{
    const std::string name = std::string("a\x1b\x7f\0\t", 5) + "\xC2\x9B\xE2\x81\xA6\xC3\xA9.c";
    const std::string json = FormatJson("r", {{name, 1}}, 1);
    EXPECT_NE(json.find(R"("a\u001b\u007f\u0000\t\u009b\u2066)"
                        "\xC3\xA9.c\""),
              std::string::npos)
        << json;
    EXPECT_EQ(nlohmann::json::parse(json)["files"][0]["name"], name);
}
