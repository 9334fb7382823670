#include "linecount/LineTally.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "linecount/LineClassifier.h"
#include "linecount/SrcCounter.h"
#include "tests/linecount/FakeStream.h"

namespace {

using namespace PrjHelper;

// What the line reader gives a hook: every line whole, classified one by one.
std::uint64_t CountWholeLines(const std::string& text, std::int32_t lang, std::uint32_t flags)
{
    bool inBlock = false;
    std::uint64_t count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t lf = text.find('\n', at);
        const std::string line = text.substr(at, lf == std::string::npos ? std::string::npos : lf - at);
        count += LineCounts(GetCommentMarkers(lang), flags, line.c_str(), inBlock) ? 1 : 0;
        at = lf == std::string::npos ? text.size() : lf + 1;
    }
    return count;
}

// Feeds text in pieces of 1 to maxPiece bytes, so most lines run across pieces.
std::uint64_t CountInPieces(std::string text, std::int32_t lang, std::uint32_t flags,
                            std::mt19937& random, std::size_t maxPiece)
{
    LineTally tally(GetCommentMarkers(lang), flags);
    std::uniform_int_distribution<std::size_t> piece(1, maxPiece);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = std::min(piece(random), text.size() - at);
        tally.Feed(text.data() + at, size);
        at += size;
    }
    return tally.Finish();
}

TEST(LineTally, CountsLikeWholeLinesWhereverTheLinesAreCut)
{
    // Bytes that matter to the rules: blanks, CR, NUL, every marker's bytes, and text.
    const std::string alphabet = std::string(" \t\r/*{}#';a\n\n", 13) + std::string(1, '\0');
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 60);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t size = length(random);
        for (std::size_t i = 0; i < size; ++i)
            text += alphabet[pick(random)];
        for (const std::int32_t lang : {1, 3, 12}) {
            for (std::uint32_t flags = 0; flags < 8; ++flags) {
                ASSERT_EQ(CountInPieces(text, lang, flags, random, 1 + round % 9),
                          CountWholeLines(text, lang, flags))
                    << "lang " << lang << " flags " << flags << " text " << testing::PrintToString(text);
            }
        }
    }
}

TEST(LineTally, LongLinesAroundBlockCommentsKeepTheirClass)
{
    const std::string pad(300000, ' ');
    const std::string body(300000, 'a');
    const std::string text = "/*" + body + "*/" + pad + "\r\n" +  // a comment, closed at its end
                             "/*" + body + "*/ x\n" +             // closed, then code
                             "/*" + body + "\n" +                 // opens a block
                             body + "\n" +                        // inside it
                             body + "*/\n" + pad + "\n" + "code";
    const std::uint32_t tracked = CF_TRACK_BLOCKS;
    std::mt19937 random(1);
    EXPECT_EQ(CountInPieces(text, 1, tracked, random, 70000), 2u);  // closed-then-code, code
    EXPECT_EQ(CountWholeLines(text, 1, tracked), 2u);
    FakeStream stream(text);
    EXPECT_EQ(CountLines(stream, 1, tracked | CF_COUNT_BLANK), 3u);
}

TEST(CSrcCounter, CountStopsAtItsLargestValueInsteadOfWrapping)
{
    CSrcCounter counter;
    counter.m_nCount = UINT32_MAX;
    counter.OnLine("x");
    EXPECT_EQ(counter.m_nCount, UINT32_MAX);
}

}  // namespace
