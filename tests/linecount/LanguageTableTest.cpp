#include "linecount/LanguageTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>

using namespace PrjHelper;

namespace {

// Runs the whole chain a caller uses: extension into an 8-byte buffer, lower-case, lookup.
std::int32_t LanguageOfPath(const char* path)
{
    char ext[8] = {};
    GetFileExt(path, ext, sizeof ext, false);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return GetLanguageId(ext);
}

std::string MixCase(const char* text, bool upperFirst)
{
    std::string mixed(text);
    for (std::size_t i = 0; i < mixed.size(); ++i) {
        if ((i % 2 == 0) == upperFirst)
            mixed[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed[i])));
    }
    return mixed;
}

}  // namespace

TEST(LanguageTable, HasTwentySevenUniqueLowerCaseRowsWithKnownIds)
{
    ASSERT_EQ(std::size(kExtensionTable), 27u);
    std::set<std::string> seen;
    for (const ExtensionRow& row : kExtensionTable) {
        EXPECT_TRUE(seen.insert(row.ext).second) << row.ext;
        EXPECT_LE(std::strlen(row.ext), 7u) << row.ext;
        for (const char* c = row.ext; *c != '\0'; ++c)
            EXPECT_FALSE(*c >= 'A' && *c <= 'Z') << row.ext;
        EXPECT_GE(row.lang, 1);
        EXPECT_LT(row.lang, kLanguageCount) << row.ext;
    }
}

TEST(LanguageTable, MarkerTableCoversEveryIdWithNonNullTexts)
{
    ASSERT_EQ(kLanguageCount, 14);
    for (const CommentMarkers& m : kCommentMarkerTable) {
        ASSERT_NE(m.single, nullptr);
        ASSERT_NE(m.open, nullptr);
        ASSERT_NE(m.close, nullptr);
        // A block comment needs both markers or neither.
        EXPECT_EQ(m.open[0] == '\0', m.close[0] == '\0');
    }
}

TEST(LanguageTable, EveryExtensionInAnyCaseGivesItsId)
{
    for (const ExtensionRow& row : kExtensionTable) {
        for (bool upperFirst : {false, true}) {
            const std::string path = "src/name." + MixCase(row.ext, upperFirst);
            EXPECT_EQ(LanguageOfPath(path.c_str()), row.lang) << path;
        }
        std::string upper = "NAME.";
        for (const char* c = row.ext; *c != '\0'; ++c)
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
        EXPECT_EQ(LanguageOfPath(upper.c_str()), row.lang) << upper;
    }
}

TEST(LanguageTable, UnlistedAndEmptyExtensionsGiveZero)
{
    EXPECT_EQ(LanguageOfPath("a.php5"), 0);
    EXPECT_EQ(LanguageOfPath("a.js"), 0);
    EXPECT_EQ(LanguageOfPath("a.hpp2"), 0);
    EXPECT_EQ(LanguageOfPath("a."), 0);
    EXPECT_EQ(LanguageOfPath("Makefile"), 0);
    EXPECT_EQ(GetLanguageId(""), 0);
    EXPECT_EQ(GetLanguageId(nullptr), 0);
    EXPECT_EQ(GetLanguageId("CPP"), 0);  // the lookup itself is case-sensitive
}

TEST(LanguageTable, FirstDotOfTheWholeTextGivesTheExtension)
{
    EXPECT_EQ(LanguageOfPath("my.lib/x.c"), 0);
    EXPECT_EQ(LanguageOfPath("a.tar.gz"), 0);

    char ext[8] = {};
    EXPECT_TRUE(GetFileExt("a.tar.gz", ext, sizeof ext, false));
    EXPECT_STREQ(ext, "tar.gz");
    EXPECT_TRUE(GetFileExt("a.tar.gz", ext, sizeof ext, true));
    EXPECT_STREQ(ext, ".tar.gz");
}

TEST(GetFileExt, SevenCharactersFitWholeAndEightAreCut)
{
    char ext[8];
    std::memset(ext, 'x', sizeof ext);
    EXPECT_TRUE(GetFileExt("f.abcdefg", ext, sizeof ext, false));
    EXPECT_STREQ(ext, "abcdefg");

    EXPECT_FALSE(GetFileExt("f.abcdefgh", ext, sizeof ext, false));
    EXPECT_STREQ(ext, "abcdefg");

    // With the dot the same seven bytes hold one character less.
    EXPECT_FALSE(GetFileExt("f.abcdefg", ext, sizeof ext, true));
    EXPECT_STREQ(ext, ".abcdef");
}

TEST(GetFileExt, ShortExtensionZeroFillsTheRestOfTheBuffer)
{
    char ext[8];
    std::memset(ext, 'x', sizeof ext);
    EXPECT_TRUE(GetFileExt("f.c", ext, sizeof ext, false));
    for (std::size_t i = 1; i < sizeof ext; ++i)
        EXPECT_EQ(ext[i], '\0') << i;
}

TEST(GetFileExt, NoDotOrBadArgumentsLeaveTheBufferUnchanged)
{
    char ext[8] = "keep";
    EXPECT_FALSE(GetFileExt("Makefile", ext, sizeof ext, false));
    EXPECT_FALSE(GetFileExt(nullptr, ext, sizeof ext, false));
    EXPECT_FALSE(GetFileExt("a.c", ext, 0, false));
    EXPECT_FALSE(GetFileExt("a.c", nullptr, 8, false));
    EXPECT_STREQ(ext, "keep");
}

TEST(GetCommentMarkers, IdsWithoutRowsAndOutOfRangeIdsAreSafe)
{
    const CommentMarkers py = GetCommentMarkers(12);
    EXPECT_STREQ(py.single, "#");
    EXPECT_STREQ(py.open, "");
    const CommentMarkers vbs = GetCommentMarkers(13);
    EXPECT_STREQ(vbs.single, "'");
    EXPECT_STREQ(vbs.close, "");
    for (std::int32_t id : {-1, 14, 1000, INT32_MIN, INT32_MAX}) {
        const CommentMarkers m = GetCommentMarkers(id);
        EXPECT_STREQ(m.single, "") << id;
        EXPECT_STREQ(m.open, "") << id;
        EXPECT_STREQ(m.close, "") << id;
    }
    EXPECT_STREQ(GetCommentMarkers(3).open, "{");
    EXPECT_STREQ(GetCommentMarkers(8).single, "//");
}
