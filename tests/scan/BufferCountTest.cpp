// Counting bytes held in memory gives what counting a file of the same bytes gives: every
// golden file under both language tables and the counting choices, with the content rules.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fileio/MemoryStream.h"
#include "linecount/LineClassifier.h"
#include "linecount/WideTally.h"
#include "scan/FileCount.h"
#include "tests/support/TempFolder.h"

using namespace lintally::scan;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

namespace {

void ExpectSame(const FileLines& buffer, const FileLines& file, const std::string& shown)
{
    EXPECT_EQ(buffer.kinds.code, file.kinds.code) << shown;
    EXPECT_EQ(buffer.kinds.comment, file.kinds.comment) << shown;
    EXPECT_EQ(buffer.kinds.blank, file.kinds.blank) << shown;
    EXPECT_EQ(buffer.lang, file.lang) << shown;
    EXPECT_EQ(buffer.kept, file.kept) << shown;
    EXPECT_EQ(buffer.skipped, file.skipped) << shown;
}

// Each file of folder counted both ways under every flag set and selection.
int CompareFolder(const std::string& folder, const std::vector<std::uint32_t>& flagSets)
{
    Selection binary;
    binary.skipBinary = true;
    Selection small;
    small.maxSize = 100;
    const Selection* selections[] = {nullptr, &binary, &small};
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string path = entry.path().string();
        const std::string name = entry.path().filename().string();
        const std::string bytes = ReadAll(path);
        for (const std::uint32_t flags : flagSets) {
            for (const Selection* selection : selections) {
                const std::string shown = name + " flags " + std::to_string(flags);
                ExpectSame(TallyBuffer(name, bytes, flags, nullptr, selection),
                           TallyFile(nullptr, name, path, flags, nullptr, selection), shown);
                ++compared;
            }
        }
    }
    return compared;
}

}  // namespace

TEST(TallyBuffer, CountsEveryGoldenFileAsTheFileCounts)
{
    using namespace PrjHelper;
    const std::string data = LINTALLY_TEST_DATA;
    EXPECT_GT(CompareFolder(data + "/golden", {0, CF_COUNT_REMED | CF_COUNT_BLANK,
                                               CF_COUNT_REMED | CF_COUNT_BLANK | CF_TRACK_BLOCKS}),
              30);
    EXPECT_GT(
        CompareFolder(data + "/golden-wide", {CF_WIDE_TABLE | CF_COUNT_REMED | CF_COUNT_BLANK,
                                              CF_WIDE_TABLE | CF_KNOWN_ONLY | CF_TRACK_BLOCKS}),
        20);
}

TEST(TallyBuffer, LeavesOutBinaryAndLargeContentAsForAFile)
{
    const TempFolder tree;
    const std::string binary("int a;\n\0\n", 9);
    const std::string large(5000, '\n');
    Selection selection;
    selection.skipBinary = true;
    selection.maxSize = 4096;
    for (const std::string* bytes : {&binary, &large}) {
        const std::string path = tree.Write("x.c", *bytes);
        const FileLines buffer = TallyBuffer("x.c", *bytes, 0, nullptr, &selection);
        ASSERT_TRUE(buffer.skipped.has_value());
        ExpectSame(buffer, TallyFile(nullptr, "x.c", path, 0, nullptr, &selection), "x.c");
    }
    // No reader: the file is not counted.
    const FileLines refused = TallyContent(
        "x.c", [] { return nullptr; }, 0, 0);
    EXPECT_EQ(refused.skipped, SkipReason::Unreadable);
    EXPECT_EQ(refused.kinds.Physical(), 0u);
}

// The first block is read whole, yet a file is binary or minified by its first
// kBinaryProbeBytes only: a NUL or a long line after them leaves it counted.
TEST(TallyFile, BinaryAndMinifiedAreToldByTheProbedBytesOnly)
{
    using namespace PrjHelper;
    // Lines of 100 bytes: under the minified average in the probed bytes, far over it
    // with the long last line.
    const std::string line = "a = 1;" + std::string(93, ' ') + "\n";
    std::string lines;
    while (lines.size() <= kBinaryProbeBytes)
        lines += line;
    const std::uint64_t count = lines.size() / line.size() + 1;
    Selection selection;
    selection.skipBinary = true;
    selection.skipGenerated = true;
    const std::uint32_t wide = CF_WIDE_TABLE | CF_KNOWN_ONLY | CF_TRACK_BLOCKS;
    const TempFolder tree;
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"x.c", lines + '\0'},
                                      {"x.js", lines + std::string(100000, 'x')}}) {
        const std::string path = tree.Write(name, bytes);
        for (const FileLines& file : {TallyFile(nullptr, name, path, wide, nullptr, &selection),
                                      TallyBuffer(name, bytes, wide, nullptr, &selection)}) {
            EXPECT_EQ(file.skipped, std::nullopt) << name;
            EXPECT_EQ(file.kinds.code, count) << name;
        }
    }
}

// A source whose stream fails after its first bytes (a damaged object).
class FailingReader final : public IContentReader
{
public:
    std::optional<SkipReason> Open(std::size_t, std::uint64_t, Brim::IStream*& stream,
                                   std::uint64_t& size) override
    {
        stream = &m_stream;
        size = 100;
        return std::nullopt;
    }
    bool Failed() const override { return true; }

private:
    Brim::MemoryStream m_stream{"a;\nb;\n"};
};

TEST(TallyContent, AStreamThatFailsPartWayLeavesTheFileUnreadable)
{
    FailingReader reader;
    const FileLines file = TallyContent(
        "x.c", [&reader] { return &reader; }, 0, 0);
    EXPECT_EQ(file.skipped, SkipReason::Unreadable);
    EXPECT_EQ(file.kinds.Physical(), 2u);
}

TEST(TallyFile, Utf16WithItsMarkIsTextCountedAsItsUtf8InBothTables)
{
    using namespace PrjHelper;
    const TempFolder tree;
    const std::string utf8 = "int a; // comment\n\nint b;\n";
    std::string le = "\xFF\xFE";
    std::string be = "\xFE\xFF";
    for (const char c : utf8) {
        le.append(1, c).append(1, '\0');
        be.append(1, '\0').append(1, c);
    }
    const std::string plain = tree.Write("plain.c", utf8);
    Selection selection;
    selection.skipBinary = true;
    selection.skipGenerated = true;  // as the command line's default: the first block is looked at
    for (const std::uint32_t flags : {0U, CF_WIDE_TABLE | CF_TRACK_BLOCKS}) {
        const FileLines expected = TallyFile(nullptr, "plain.c", plain, flags, nullptr, &selection);
        ASSERT_EQ(expected.kinds.code, 2U);
        for (const std::string& path : {tree.Write("le.c", le), tree.Write("be.c", be)}) {
            ExpectSame(TallyFile(nullptr, "plain.c", path, flags, nullptr, &selection), expected,
                       path);
        }
    }
}
