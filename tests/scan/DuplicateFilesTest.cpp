// Copies found by size, hash and bytes, and --unique in a scan: which copy stays, what counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/MemoryStream.h"
#include "scan/CountRequest.h"
#include "scan/DuplicateFiles.h"
#include "scan/HeldFiles.h"
#include "tests/support/TempFolder.h"

using lintally::scan::BytesHash;
using lintally::scan::FindDuplicates;
using lintally::scan::IFileBytes;
using lintally::scan::SkipReason;
using lintally::testing::NativePath;
using lintally::testing::TempFolder;

namespace {

class FilesInMemory final : public IFileBytes
{
public:
    explicit FilesInMemory(std::vector<std::string> bytes) : m_bytes(std::move(bytes)) {}

    std::optional<std::uint64_t> Size(std::size_t index) override { return m_bytes[index].size(); }

    Brim::IStream* Open(std::size_t index, int channel) override
    {
        return &m_streams[channel].emplace(m_bytes[index]);
    }

private:
    std::vector<std::string> m_bytes;
    std::optional<Brim::MemoryStream> m_streams[2];
};

// Every stream hashes alike, so only the byte comparison can tell files apart.
BytesHash OneHash(Brim::IStream& stream)
{
    return BytesHash{7, stream.GetSize()};
}

}  // namespace

TEST(FindDuplicates, FlagsEachLaterCopyAndNeverADifferentOrEmptyFile)
{
    const std::string big(200000, 'x');
    std::string bigOther = big;
    bigOther.back() = 'y';
    struct Case
    {
        std::vector<std::string> files;
        std::vector<bool> copies;
    };
    const Case cases[] = {
        {{"a\n", "b\n", "a\n", "a\n"}, {false, false, true, true}},
        {{"ab", "ba", "abc"}, {false, false, false}},
        {{"", "", "x", ""}, {false, false, false, false}},
        {{big, bigOther, big}, {false, false, true}},
        {{"12", "34", "12", "34"}, {false, false, true, true}},
    };
    for (const Case& c : cases) {
        for (const auto hash : {lintally::scan::HashBytes, OneHash}) {
            FilesInMemory files(c.files);
            EXPECT_EQ(FindDuplicates(c.files.size(), files, hash), c.copies) << c.files.front();
        }
    }
}

TEST(ScanUnique, KeepsTheFirstCopyByNameWhateverTheThreadsAndSaysHowManyWent)
{
    TempFolder tree;
    const std::string code = "int a;\nint b;\n";
    for (const char* name : {"z/a.c", "b/a.c", "vendor/lib/a.c", "c/a.c"}) {
        tree.Write(name, code);
    }
    tree.Write("same.c", "int x;\nint y;\n");  // the same size, other bytes
    tree.Write("empty1.c", "");
    tree.Write("empty2.c", "");
    lintally::scan::Selection selection;
    selection.unique = true;
    for (const unsigned jobs : {1u, 2u, 8u}) {
        for (int round = 0; round < 5; ++round) {
            lintally::scan::CountRequest request;
            request.files.root = tree.Root();
            request.settings.types = "*.c";
            request.selection = &selection;
            request.jobs = jobs;
            lintally::scan::NullScanSink sink;
            const lintally::scan::ScanResult result = Count(request, {}, sink);
            ASSERT_EQ(result.rows.size(), 4u);
            EXPECT_EQ(result.rows[0].name, NativePath("b/a.c"));
            EXPECT_EQ(result.rows[1].name, "empty1.c");
            EXPECT_EQ(result.rows[2].name, "empty2.c");
            EXPECT_EQ(result.rows[3].name, "same.c");
            EXPECT_EQ(result.total, 4u);
            EXPECT_EQ(result.files, 4u);
            EXPECT_EQ(result.skips.Of(SkipReason::Duplicate), 3u);
        }
    }
}

TEST(TallyUnique, KeepsTheFirstByNameHoweverTheFilesWereHeld)
{
    TempFolder tree;
    std::vector<lintally::scan::HeldFile> held;
    for (const char* name : {"z.c", "c.c", "a.c", "b.c"}) {
        const std::string path = tree.Write(name, "int x;\n");
        held.push_back({path, static_cast<std::uint32_t>(path.size() - 3), 0, {}, 0});
    }
    lintally::scan::ResultTally tally(nullptr);
    TallyUnique(held, nullptr, tally);
    lintally::scan::ScanResult result;
    tally.MoveInto(result);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].name, "a.c");
    EXPECT_EQ(result.skips.duplicate, 3u);
}
