// Text saved as UTF-16 with its byte order mark counts as the same text saved as UTF-8, in
// both tables and through the line reader, however the stream's reads fall.
#include "linecount/Utf16Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "linecount/CodeLineHashes.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "linecount/SrcLineReader.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"
#include "tests/linecount/FakeStream.h"

namespace {

using namespace PrjHelper;

// The hashes of the code lines a line diff compares, of a C file of these bytes.
std::vector<std::uint64_t> CodeHashes(const std::string& bytes, std::uint32_t flags)
{
    FakeStream stream(bytes);
    std::vector<std::uint64_t> hashes;
    EXPECT_EQ(HashCodeLines(stream, 1, flags, SIZE_MAX, hashes), HashedLines::Done);
    return hashes;
}

// The code points of UTF-8 text as UTF-16 in the given order, after its mark.
std::string Utf16(const std::u32string& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto put = [&](char32_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes.append(1, bigEndian ? high : low).append(1, bigEndian ? low : high);
    };
    for (const char32_t point : text) {
        if (point < 0x10000) {
            put(point);
        } else {
            put(0xD800 + ((point - 0x10000) >> 10));
            put(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

class Lines final : public ISrcLineHook
{
public:
    std::vector<std::string> lines;
    void OnBegin(Brim::IStream&) override {}
    std::int32_t OnLine(const char* line) override
    {
        lines.emplace_back(line);
        return 0;
    }
    void OnEnd() override {}
};

std::vector<std::string> ReadLines(std::string bytes, std::uint32_t maxRead)
{
    FakeStream stream(std::move(bytes));
    stream.maxRead = maxRead;
    CSrcLineReader reader(&stream);
    Lines hook;
    reader.AddHook(&hook);
    reader.Run();
    return hook.lines;
}

const std::u32string kSource =
    U"int a; // caf\u00E9\r\n\n/* \u65E5\u672C\n   \U0001F600 */\nint b;";
const std::string kUtf8 =
    "int a; // caf\xC3\xA9\r\n\n/* \xE6\x97\xA5\xE6\x9C\xAC\n   \xF0\x9F\x98\x80 */\nint b;";

}  // namespace

TEST(Utf16Text, CountsAsItsUtf8InBothTablesAndTheReaderWhateverTheReads)
{
    const std::int32_t wide = WideLanguageOfName("a.c");
    const std::uint32_t flags = CF_TRACK_BLOCKS | CF_COUNT_REMED | CF_COUNT_BLANK;
    FakeStream utf8(kUtf8);
    const LineBreakdown design = TallyLines(utf8, 1, flags);
    FakeStream utf8Again(kUtf8);
    const WideTallyResult widely = TallyWideLines(utf8Again, wide, false, flags);
    ASSERT_EQ(design.code, 2U);
    for (const bool bigEndian : {false, true}) {
        for (const std::uint32_t maxRead : {1U, 3U, 4U, 7U, UINT32_MAX}) {
            const std::string bytes = Utf16(kSource, bigEndian);
            const std::string shown =
                (bigEndian ? "BE, reads of " : "LE, reads of ") + std::to_string(maxRead);
            FakeStream stream(bytes);
            stream.maxRead = maxRead;
            EXPECT_EQ(TallyLines(stream, 1, flags), design) << shown;
            FakeStream again(bytes);
            again.maxRead = maxRead;
            EXPECT_EQ(TallyWideLines(again, wide, false, flags).kinds, widely.kinds) << shown;
            EXPECT_EQ(ReadLines(bytes, maxRead), ReadLines(kUtf8, UINT32_MAX)) << shown;
        }
        EXPECT_EQ(CodeHashes(Utf16(kSource, bigEndian), flags), CodeHashes(kUtf8, flags));
    }
}

TEST(Utf16Text, AFileOfManyBlocksIsDecodedInPlaceWithoutLoss)
{
    // Wide characters: three bytes of UTF-8 for two of UTF-16, the most a block grows by.
    std::u32string text;
    std::string utf8;
    for (int i = 0; i < 6000; ++i) {
        const std::u32string tail(static_cast<std::size_t>(i % 61), U'\u65E5');
        text += (i % 3 == 0 ? U"// " : U"x = 1; ") + tail + U"\n";
        utf8 += (i % 3 == 0 ? "// " : "x = 1; ");
        for (std::size_t k = 0; k < tail.size(); ++k) {
            utf8 += "\xE6\x97\xA5";
        }
        utf8 += "\n";
    }
    for (const bool bigEndian : {false, true}) {
        EXPECT_EQ(ReadLines(Utf16(text, bigEndian), UINT32_MAX), ReadLines(utf8, UINT32_MAX));
    }
}

TEST(Utf16Decoder, UnpairedHalvesAndAnOddLastByteBecomeReplacements)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct
    {
        std::string bytes;  // little-endian, no mark
        std::string utf8;
    } cases[] = {
        {std::string("\x00\xD8"
                     "a\x00",
                     4),
         fffd + "a"},  // high surrogate, then no low
        {std::string("\x00\xDC"
                     "b\x00",
                     4),
         fffd + "b"},                                              // low surrogate alone
        {std::string("\x3D\xD8\x00\xDE", 4), "\xF0\x9F\x98\x80"},  // a pair
        {std::string("c\x00\x3D\xD8", 4), "c" + fffd},             // high surrogate at the end
        {std::string("d\x00"
                     "e",
                     3),
         "d" + fffd},  // odd last byte
    };
    for (const auto& c : cases) {
        for (std::size_t split = 0; split <= c.bytes.size(); ++split) {
            Utf16Decoder decoder(false);
            char out[32];
            std::size_t n = decoder.Decode(c.bytes.data(), split, out);
            n += decoder.Decode(c.bytes.data() + split, c.bytes.size() - split, out + n);
            n += decoder.Finish(out + n);
            EXPECT_EQ(std::string(out, n), c.utf8) << split;
        }
    }
}

TEST(Utf16Text, OnlyAByteOrderMarkMakesAFileUtf16)
{
    EXPECT_EQ(EncodingOfStart("\xFF\xFE"), TextEncoding::Utf16Le);
    EXPECT_EQ(EncodingOfStart("\xFE\xFF"
                              "a"),
              TextEncoding::Utf16Be);
    EXPECT_EQ(EncodingOfStart(std::string("\0i\0n", 4)), TextEncoding::Bytes);
    EXPECT_EQ(EncodingOfStart("\xFF"), TextEncoding::Bytes);
    EXPECT_EQ(EncodingOfStart("\xEF\xBB\xBF"), TextEncoding::Bytes);
    FakeStream mark(std::string("\xFF\xFE"));
    EXPECT_EQ(TallyLines(mark, 1, CF_COUNT_BLANK).Physical(), 0U);
}
