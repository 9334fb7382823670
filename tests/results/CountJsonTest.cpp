#include "results/CountJson.h"

#include <gtest/gtest.h>

#include "fileio/MemoryStream.h"
#include "fileio/PathLimit.h"
#include "results/JsonCsv.h"
#include "results/JsonInput.h"
#include "tests/support/TempFolder.h"

using lintally::results::CountJson;
using lintally::results::FormatJson;
using lintally::results::JsonSummary;
using lintally::results::ReadCountJson;
using lintally::scan::Row;
using lintally::scan::RowList;
using lintally::testing::TempFolder;

namespace {

bool Read(const std::string& text, CountJson& count, std::string& error)
{
    const TempFolder folder;
    return ReadCountJson(folder.Write("count.json", text), count, error);
}

}  // namespace

TEST(CountJson, ReadsBackWhatACountWrites)
{
    // Names with quotes, a newline, a non-ASCII letter, an emoji and bytes that are not text,
    // which must not become one name.
    const RowList rows{
        {"a \"q\".c", 3, {1, 1, 1}, 1},           {"bad\xFE.c", 1, {1, 0, 0}, 1},
        {"bad\xFF.c", 1, {1, 0, 0}, 1},           {"new\nline.c", 0, {}, 2},
        {"\xC3\xA9t\xC3\xA9.c", 2, {0, 0, 2}, 1}, {"\xF0\x9F\x98\x80\xE9.c", 1, {0, 0, 1}, 1}};
    lintally::scan::CountSettings settings;
    settings.types = "*.c";
    settings.includeSubFolders = false;
    settings.excludeBlank = true;
    settings.blockComments = true;
    settings.languages = lintally::scan::LanguageTable::Wide;
    const JsonSummary summary{{"root"}, settings, "file", nullptr};
    CountJson count;
    std::string error;
    ASSERT_TRUE(Read(FormatJson("root", rows, 6, {{"locked", "Permission denied"}}, &summary),
                     count, error))
        << error;
    EXPECT_EQ(count.root, "root");
    EXPECT_TRUE(count.hasOptions && count.hasFiles);
    EXPECT_EQ(count.settings, settings);
    ASSERT_EQ(count.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(count.rows[i].name, rows[i].name) << i;
        EXPECT_EQ(count.rows[i].lines, rows[i].lines) << i;
        EXPECT_EQ(count.rows[i].kinds, rows[i].kinds) << i;
    }
    EXPECT_EQ(count.languages.size(), 2u);
    ASSERT_EQ(count.skipped.size(), 1u);
    EXPECT_EQ(count.skipped[0].name, "locked");
    EXPECT_EQ(count.skipped[0].reason, "Permission denied");
}

TEST(CountJson, ReadsTheFilesLeftOutByReason)
{
    CountJson count;
    std::string error;
    ASSERT_TRUE(Read(R"({"skipped": {"excluded": 1, "binary": 2, "generated": 5, "later": 9,
                                      "folders": []}})",
                     count, error))
        << error;
    using lintally::scan::SkipReason;
    EXPECT_EQ(count.skips.Of(SkipReason::Excluded), 1u);
    EXPECT_EQ(count.skips.Of(SkipReason::Binary), 2u);
    EXPECT_EQ(count.skips.Of(SkipReason::Generated), 5u);
    EXPECT_EQ(count.skips.Of(SkipReason::Ignored), 0u);
}

TEST(CountJson, DecodesEscapesAndSurrogates)
{
    CountJson count;
    std::string error;
    ASSERT_TRUE(Read(R"({"files": [{"name": "\u00e9\ud83d\ude00\ud800x\/\t", "lines": 1,
                                    "language": "C", "code": 1, "comment": 0, "blank": 0}],
                        "later": {"keys": [true, null, -1.5e3, {"deep": []}]}})",
                     count, error))
        << error;
    EXPECT_EQ(count.rows[0].name, "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBDx/\t");
}

TEST(CountJson, RefusesWhatIsNotACountWithWhereItWentWrong)
{
    const std::pair<std::string, const char*> cases[] = {
        {R"({"files": [{"name": "a", "lines": 1)", "ends"},
        {R"({"files": [{"lines": 1}]})", "without \"name\""},
        {R"({"files": [{"name": "a", "lines": 1, "language": "C", "comment": 0, "blank": 0}]})",
         "without \"code\" at byte 79"},
        {R"({"files": [{"name": "a", "name_bytes": "6x"}]})", "not hex"},
        // Sums a diff could not subtract: 2^64 - 1 lines, or two files of 2^62 each.
        {R"({"files": [{"name": "a", "lines": 18446744073709551615, "language": "C", "code": 0,
                        "comment": 0, "blank": 0}]})",
         "larger than any tree"},
        {R"({"files": [{"name": "a", "lines": 0, "language": "C", "code": 4611686018427387904,
                        "comment": 0, "blank": 4611686018427387904}]})",
         "larger than any tree"},
        {"{\"files\": [{\"name\": \"" + std::string(Brim::kLongestPath + 1, 'a'),
         "a string longer than"},
        {R"({"files": [{"name": "a", "lines": 18446744073709551616}]})", "too large"},
        {R"({"files": [{"name": "a", "lines": -1}]})", "count expected"},
        {R"({"root": "a"} x)", "more text"},
        {R"({"root": "a\q"})", "unknown escape"},
        {"{\"x\": " + std::string(100000, '[') + std::string(100000, ']') + "}", "too deep"},
        {"[1]", "'{' expected at byte 0"},
        {R"({"options": {"languages": "narrow"}})", "\"languages\" has an unknown value"},
        {R"({"options": {"types": true}})", "expected"},
    };
    for (const auto& [text, reason] : cases) {
        CountJson count;
        std::string error;
        EXPECT_FALSE(Read(text, count, error)) << text.substr(0, 60);
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(JsonInput, AStringPastItsLimitFailsAtItsFirstExtraByteAndSkippedOnesCostNothing)
{
    // A value three times the longest string kept, in an unknown member, then a key and
    // a string one byte too long.
    const std::string text = "{\"unknown\": \"" +
                             std::string(3 * lintally::results::JsonInput::kLongestText, 'x') +
                             "\", \"k\": \"\\u00e9abc\"}";
    Brim::MemoryStream stream(text);
    lintally::results::JsonInput in(stream);
    std::string key;
    std::string value;
    ASSERT_TRUE(in.Take('{') && in.String(key) && in.Take(':') && in.Skip()) << in.Error();
    ASSERT_TRUE(in.Take(',') && in.String(key) && in.Take(':'));
    EXPECT_FALSE(in.String(value, 4));
    EXPECT_EQ(in.Error(),
              "a string longer than 4 bytes at byte " + std::to_string(text.size() - 3));
}
