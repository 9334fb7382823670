#include "linecount/CodeLineHashes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakeStream.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"

using namespace PrjHelper;

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The hashes of text's code lines, read at most maxRead bytes at a time.
std::vector<std::uint64_t> Hashes(const std::string& text, std::int32_t lang, std::uint32_t flags,
                                  std::uint32_t maxRead = UINT32_MAX)
{
    FakeStream stream(text);
    stream.maxRead = maxRead;
    std::vector<std::uint64_t> hashes;
    EXPECT_EQ(HashCodeLines(stream, lang, flags, SIZE_MAX, hashes), HashedLines::Done);
    return hashes;
}

const std::int32_t kC = GetLanguageId("c");
const std::int32_t kPython = kWideLanguageBase + WideLanguageIndex("Python");

}  // namespace

// Both tables, with and without block tracking: every golden file has a hash for each code
// line the counter counts, and the same hashes however its reads are cut.
TEST(CodeLineHashes, GoldenFilesGiveAHashForEachCodeLineTheCounterCounts)
{
    const std::filesystem::path data(LINTALLY_TEST_DATA);
    for (const char* folder : {"golden", "golden-wide"}) {
        for (const auto& entry : std::filesystem::directory_iterator(data / folder)) {
            const std::string name = entry.path().filename().string();
            const std::string text = ReadAll(entry.path());
            for (const std::uint32_t blocks : {0u, CF_TRACK_BLOCKS}) {
                FakeStream design(text);
                char ext[16] = {};
                const std::int32_t lang = GetPathLanguage(name.c_str(), ext, sizeof ext);
                const std::vector<std::uint64_t> designCode = Hashes(text, lang, blocks);
                EXPECT_EQ(designCode.size(), TallyLines(design, lang, blocks).code)
                    << name << " blocks " << blocks;
                EXPECT_EQ(Hashes(text, lang, blocks, 7), designCode) << name;

                FakeStream wide(text);
                const WideTallyResult tally =
                    TallyWideLines(wide, WideLanguageOfName(name), true, blocks);
                const std::uint32_t flags = blocks | CF_WIDE_TABLE;
                const std::vector<std::uint64_t> wideCode = Hashes(text, tally.lang, flags);
                EXPECT_EQ(wideCode.size(), tally.kinds.code) << name << " wide, blocks " << blocks;
                EXPECT_EQ(Hashes(text, tally.lang, flags, 5), wideCode) << name;
            }
        }
    }
}

// A code line hashes by all its bytes (a CR and what follows a NUL too), the same whether or
// not an LF ends it and wherever the reads cut it; other lines leave no hash.
TEST(CodeLineHashes, HashTheCodeLinesWholeAndInOrder)
{
    const std::string longLine(100000, 'x');
    const std::vector<std::uint64_t> code =
        Hashes("int a;\n  b(); /* x */\r\n" + longLine + ";\nlast", kC, 0);
    ASSERT_EQ(code.size(), 4u);
    EXPECT_EQ(Hashes("int a;\n// c\n\n  b(); /* x */\r\n" + longLine + ";\nlast\n", kC, 0, 3),
              code);
    EXPECT_NE(Hashes("int a;\n  b(); /* x */\n" + longLine + ";\nlast", kC, 0), code);
    EXPECT_NE(Hashes("int a;\n  b(); /* x */\r\n" + longLine + "y;\nlast", kC, 0), code);
    EXPECT_NE(Hashes(std::string("a\0b\n", 4), kC, 0), Hashes(std::string("a\0c\n", 4), kC, 0));
    EXPECT_NE(Hashes("last\nint a;\n", kC, 0), Hashes("int a;\nlast\n", kC, 0));
    EXPECT_EQ(Hashes("#!/usr/bin/env python3\n\"\"\"doc\n\"\"\"\nx = 1\n", kPython,
                     CF_WIDE_TABLE | CF_TRACK_BLOCKS, 2),
              Hashes("#!/usr/bin/env python3\nx = 1\n", kPython, CF_WIDE_TABLE));
}

TEST(CodeLineHashes, StopPastTheLimitOrWhenAskedTo)
{
    const std::int32_t wideC = kWideLanguageBase + WideLanguageIndex("C");
    for (const std::uint32_t flags : {0u, CF_WIDE_TABLE}) {
        const std::int32_t lang = flags == 0 ? kC : wideC;
        std::vector<std::uint64_t> hashes;
        FakeStream atLimit("a;\nb;\n// c\n");
        EXPECT_EQ(HashCodeLines(atLimit, lang, flags, 2, hashes), HashedLines::Done);
        FakeStream overLimit("a;\nb;\nc;");
        EXPECT_EQ(HashCodeLines(overLimit, lang, flags, 2, hashes), HashedLines::TooMany);
        EXPECT_LE(hashes.size(), 2u);
        FakeStream stopped("a;\n");
        EXPECT_EQ(HashCodeLines(stopped, lang, flags, 2, hashes, [] { return false; }),
                  HashedLines::Stopped);
    }
}
