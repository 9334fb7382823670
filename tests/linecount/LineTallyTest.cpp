#include "linecount/LineTally.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "linecount/LineClassifier.h"
#include "linecount/SrcCounter.h"
#include "tests/linecount/FakeStream.h"
#include "tests/support/TempFolder.h"

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
        const std::string line =
            text.substr(at, lf == std::string::npos ? std::string::npos : lf - at);
        count += LineCounts(GetCommentMarkers(lang), flags, line.c_str(), inBlock) ? 1 : 0;
        at = lf == std::string::npos ? text.size() : lf + 1;
    }
    return count;
}

// Feeds text in pieces of 1 to maxPiece bytes, so most lines run across pieces.
std::uint64_t CountInPieces(std::string text, std::int32_t lang, std::uint32_t flags,
                            std::mt19937& random, std::size_t maxPiece)
{
    LineTally tally(GetCommentMarkers(lang), (flags & CF_TRACK_BLOCKS) != 0);
    std::uniform_int_distribution<std::size_t> piece(1, maxPiece);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = std::min(piece(random), text.size() - at);
        tally.Feed(text.data() + at, size);
        at += size;
    }
    return tally.Finish().Counted(flags);
}

// What the source counter gives for the file at path under flags.
std::uint32_t SrcCounterCount(const std::string& path, std::uint32_t flags)
{
    CSrcCounter counter;
    EXPECT_TRUE(counter.Open(path.c_str())) << path << ": " << std::strerror(errno);
    counter.m_dwFlags = flags;
    counter.m_Reader.Run();
    return counter.m_nCount;
}

// For each block mode, one tally by kind must give the source counter's count for both
// other bits, and its kinds must add up to the file's lines.
void ExpectDerivedCountsMatch(const std::string& path, const std::string& bytes)
{
    char ext[8] = {};
    const std::int32_t lang = GetPathLanguage(path.c_str(), ext, sizeof ext);
    std::uint64_t physical = 0;
    for (std::size_t at = 0; at < bytes.size(); ++physical)
        at = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
    for (const std::uint32_t blocks : {0u, CF_TRACK_BLOCKS}) {
        FakeStream stream(bytes);
        const LineBreakdown lines = TallyLines(stream, lang, blocks);
        EXPECT_EQ(lines.Physical(), physical) << path;
        for (const std::uint32_t bits :
             {0u, CF_COUNT_REMED, CF_COUNT_BLANK, CF_COUNT_REMED | CF_COUNT_BLANK})
            ASSERT_EQ(lines.Counted(blocks | bits), SrcCounterCount(path, blocks | bits))
                << path << " flags " << (blocks | bits) << " bytes "
                << testing::PrintToString(bytes);
    }
}

TEST(LineBreakdown, DerivedCountEqualsTheSourceCounterOnGoldenFiles)
{
    const std::filesystem::path folder = std::filesystem::path(LINTALLY_TEST_DATA) / "golden";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string bytes;
        {
            // Closed before the counter opens the file: on Windows it opens without sharing.
            std::ifstream in(entry.path(), std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        ExpectDerivedCountsMatch(entry.path().string(), bytes);
        ++files;
    }
    EXPECT_GE(files, 10);
}

TEST(LineBreakdown, DerivedCountEqualsTheSourceCounterOnRandomLines)
{
    // Lines drawn from every marker of the table, blanks, CR and text.
    const std::vector<std::string> pieces = {"//", "/*", "*/", "{", "}",    "#",  "'",  ";",
                                             " ",  "\t", "\r", "x", "code", "\n", "\n", "\r\n"};
    const lintally::testing::TempFolder folder;
    std::mt19937 random(1312);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 150; ++round) {
        std::string bytes;
        for (int i = length(random); i > 0; --i)
            bytes += pieces[pick(random)];
        for (const char* name : {"f.c", "f.pas", "f.py", "f.asm", "f.txt"})
            ExpectDerivedCountsMatch(folder.Write(name, bytes), bytes);
    }
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
                    << "lang " << lang << " flags " << flags << " text "
                    << testing::PrintToString(text);
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
