#include "linecount/LineClassifier.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace PrjHelper;

namespace {

const CommentMarkers kC = GetCommentMarkers(1);
const CommentMarkers kPascal = GetCommentMarkers(3);

bool Counts(const char* line, std::uint32_t flags = 0, const CommentMarkers& m = kC)
{
    bool inBlock = false;
    return LineCounts(m, flags, line, inBlock);
}

// Feeds lines through one block state and returns how many count.
int CountTracked(std::initializer_list<const char*> lines, std::uint32_t flags = CF_TRACK_BLOCKS,
                 const CommentMarkers& m = kC)
{
    bool inBlock = false;
    int counted = 0;
    for (const char* line : lines)
        counted += LineCounts(m, flags, line, inBlock) ? 1 : 0;
    return counted;
}

}  // namespace

TEST(LineClassifier, BlankLinesCountOnlyWithTheBlankBit)
{
    for (const char* blank : {"", "   ", "\t", " \t \t", "\r", "  \r", "\t\r"}) {
        EXPECT_FALSE(Counts(blank)) << '[' << blank << ']';
        EXPECT_TRUE(Counts(blank, CF_COUNT_BLANK)) << '[' << blank << ']';
        EXPECT_FALSE(Counts(blank, CF_COUNT_REMED)) << '[' << blank << ']';
    }
    EXPECT_FALSE(Counts(nullptr));
}

TEST(LineClassifier, OnlyOneFinalCarriageReturnIsDropped)
{
    EXPECT_TRUE(Counts("\r\r"));
    EXPECT_TRUE(Counts("\r "));  // the CR is not last, so it stays and is not blank
    EXPECT_TRUE(Counts("x = 1;\r"));
}

TEST(LineClassifier, OptionTableDecidesCommentAndBlankLines)
{
    struct Row
    {
        std::uint32_t flags;
        bool blank, comment, code;
    };
    const Row rows[] = {
        {0, false, false, true},
        {CF_COUNT_BLANK, true, false, true},
        {CF_COUNT_REMED, false, true, true},
        {CF_COUNT_REMED | CF_COUNT_BLANK, true, true, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Counts("   ", row.flags), row.blank) << row.flags;
        EXPECT_EQ(Counts("// note", row.flags), row.comment) << row.flags;
        EXPECT_EQ(Counts("/* note */", row.flags), row.comment) << row.flags;
        EXPECT_EQ(Counts("int x;", row.flags), row.code) << row.flags;
    }
}

TEST(LineClassifier, IndentedCommentsWithSpacesTabsOrCrLfAreComments)
{
    EXPECT_FALSE(Counts("  // text"));
    EXPECT_FALSE(Counts("\t// text"));
    EXPECT_FALSE(Counts("\t \t// text\r"));
    EXPECT_FALSE(Counts("  /* text */  "));
    EXPECT_FALSE(Counts("\t/* text */\t\r"));
    EXPECT_FALSE(Counts("/* text */\r"));
}

TEST(LineClassifier, CodeBesideCommentsCounts)
{
    EXPECT_TRUE(Counts("x = 1; // remark"));
    EXPECT_TRUE(Counts("/* a */ x = 1;"));
    EXPECT_TRUE(Counts("x = 1; /* a */"));
    EXPECT_TRUE(Counts("/* a */ /* b */"));  // the first closing marker is not at the end
    EXPECT_TRUE(Counts("/* open only"));
    EXPECT_TRUE(Counts("/"));
}

TEST(LineClassifier, ClosingMarkerMayOverlapTheOpener)
{
    EXPECT_FALSE(Counts("/*/"));
    EXPECT_TRUE(Counts("/*/ x"));
    EXPECT_FALSE(Counts("/*/", CF_TRACK_BLOCKS));
}

TEST(LineClassifier, TextStopsAtTheFirstNul)
{
    const char line[] = "x = 1;\0// comment";
    EXPECT_TRUE(Counts(line));
    const char blank[] = "  \0x = 1;";
    EXPECT_FALSE(Counts(blank));
}

TEST(LineClassifier, EachLanguageFamilyUsesItsMarkers)
{
    EXPECT_FALSE(Counts("{ text }", 0, kPascal));
    EXPECT_FALSE(Counts("// text", 0, kPascal));
    EXPECT_TRUE(Counts("/* text */", 0, kPascal));
    for (std::int32_t id : {2, 7, 13}) {
        EXPECT_FALSE(Counts("' remark", 0, GetCommentMarkers(id))) << id;
        EXPECT_TRUE(Counts("/* text */", 0, GetCommentMarkers(id))) << id;
    }
    EXPECT_FALSE(Counts("; remark", 0, GetCommentMarkers(5)));
    for (std::int32_t id : {10, 12}) {
        EXPECT_FALSE(Counts("# remark", 0, GetCommentMarkers(id))) << id;
        EXPECT_TRUE(Counts("// remark", 0, GetCommentMarkers(id))) << id;
    }
    for (std::int32_t id : {4, 6, 9, 11}) {
        EXPECT_FALSE(Counts("// remark", 0, GetCommentMarkers(id))) << id;
        EXPECT_FALSE(Counts("/* remark */", 0, GetCommentMarkers(id))) << id;
    }
    EXPECT_FALSE(Counts("// remark", 0, GetCommentMarkers(8)));
    EXPECT_TRUE(Counts("/* remark */", 0, GetCommentMarkers(8)));
}

TEST(LineClassifier, LanguageWithoutMarkersCountsEveryNonBlankLine)
{
    const CommentMarkers none = GetCommentMarkers(0);
    EXPECT_TRUE(Counts("// text", 0, none));
    EXPECT_TRUE(Counts("# text", 0, none));
    EXPECT_FALSE(Counts("  ", 0, none));
    EXPECT_EQ(CountTracked({"/* a", "b", "*/"}, CF_TRACK_BLOCKS, none), 3);
}

TEST(LineClassifier, WithoutTrackingNothingCarriesToTheNextLine)
{
    bool inBlock = false;
    EXPECT_TRUE(LineCounts(kC, 0, "/* open", inBlock));
    EXPECT_FALSE(inBlock);
    EXPECT_EQ(CountTracked({"/* open", "inner", "close */"}, 0), 3);
}

TEST(LineClassifier, TrackedBlockSpanningLinesIsAllComment)
{
    EXPECT_EQ(CountTracked({"/* open", "inner", "  * star", "close */", "x = 1;"}), 1);
    EXPECT_EQ(CountTracked({"\t/* open\r", "inner\r", " */\r", "x;\r"}), 1);
    EXPECT_EQ(CountTracked({"{ open", "inner", "}", "begin"}, CF_TRACK_BLOCKS, kPascal), 1);
}

TEST(LineClassifier, TrackedBlockClosedBeforeCodeLeavesTheLineCode)
{
    // The block closes at the first closing marker; code after it makes the line count.
    EXPECT_EQ(CountTracked({"/* open", "*/ x = 1;", "y = 2;"}), 2);
    // An opener that closes on its own line does not leave a block open.
    EXPECT_EQ(CountTracked({"/* a */ x = 1;", "y = 2;"}), 2);
    EXPECT_EQ(CountTracked({"/* a */ /* b", "y = 2;"}), 2);
}

TEST(LineClassifier, TrackedBlockOpensOnlyAtTheLineStart)
{
    EXPECT_EQ(CountTracked({"x = 1; /* open", "y = 2;", "*/"}), 3);
    // A single-line comment holding an opener does not open a block.
    EXPECT_EQ(CountTracked({"// see /* here", "y = 2;"}), 1);
}

TEST(LineClassifier, TrackedBlankLinesFollowTheBlankRuleInsideABlock)
{
    EXPECT_EQ(CountTracked({"/* open", "", "   ", "*/"}), 0);
    EXPECT_EQ(CountTracked({"/* open", "", "   ", "*/"}, CF_TRACK_BLOCKS | CF_COUNT_BLANK), 2);
    EXPECT_EQ(CountTracked({"/* open", "", "*/", "x;"}, CF_TRACK_BLOCKS | CF_COUNT_REMED), 3);
}

TEST(LineClassifier, TrackedSingleLineMarkerInsideABlockIsStillComment)
{
    EXPECT_EQ(CountTracked({"/* open", "// inner", "x = 1; inner", "*/", "// after"}), 0);
}

TEST(LineClassifier, StaleBlockStateIsDroppedForALanguageWithoutBlocks)
{
    bool inBlock = true;
    EXPECT_TRUE(LineCounts(GetCommentMarkers(5), CF_TRACK_BLOCKS, "mov ax, 1", inBlock));
    EXPECT_FALSE(inBlock);
    inBlock = true;
    EXPECT_FALSE(LineCounts(GetCommentMarkers(5), CF_TRACK_BLOCKS, "; note", inBlock));
}
