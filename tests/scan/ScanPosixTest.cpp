// Counting what only POSIX trees hold (a pipe), and the descriptors of a batch's opens.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>

#include "scan/CountRequest.h"
#include "scan/FileCount.h"
#include "tests/scan/WalkRequest.h"
#include "tests/support/PosixTree.h"

using namespace lintally::scan;
using lintally::testing::MakeFifo;
using lintally::testing::TempFolder;

TEST(CountFile, APipeCountsZeroWithoutWaitingForAWriter)
{
    const TempFolder tree;
    ASSERT_TRUE(MakeFifo(tree, "pipe.c"));
    EXPECT_EQ(CountFile(tree.Path("pipe.c"), MakeCountFlags(true, false, false)), 0u);
}

namespace {

// Asks for a stop once the scan has counted a few files.
class StopSoon final : public IScanSink
{
public:
    explicit StopSoon(StopToken& stop) : m_stop(stop) {}
    void OnRowCounted(std::string_view, std::uint64_t) override
    {
        if (++m_rows == 10)
            m_stop.RequestStop();
    }
    void OnEntryWalked() override {}
    void OnFinished(bool) override {}

private:
    StopToken& m_stop;
    std::atomic<int> m_rows{0};
};

std::size_t OpenDescriptors()
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

}  // namespace

// A file opened ahead in a batch counts as one TallyFile opens itself, whatever the open gave,
// and its descriptor comes back to be closed; a name the count never reads hands back what
// was opened for it.
TEST(TallyFile, AFileOpenedAheadCountsAsOneOpenedByTheCount)
{
    const TempFolder tree;
    tree.Write("a.c", "int x; /* c */\n\n// d\n");
    lintally::testing::MakeLink(tree, "link.c", "a.c");
    tree.Write("notes.unknownsuffix", "x\n");
    const FolderRef folder = OpenFolderAt(tree.Root(), true);
    const int dir = ListedFolderDescriptor(folder);
    ASSERT_GE(dir, 0);
    const std::uint32_t flags =
        MakeCountFlags(false, false, true) | PrjHelper::CF_WIDE_TABLE | PrjHelper::CF_KNOWN_ONLY;
    for (const char* name : {"a.c", "link.c", "missing.c", "notes.unknownsuffix"}) {
        const FileLines alone = TallyFile(folder, name, tree.Path(name), flags);
        const int fd = ::openat(dir, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        for (int opened : {fd >= 0 ? fd : -errno, Brim::FileBatch::kNotTried}) {
            const bool own = opened >= 0;
            const FileLines ahead =
                TallyFile(folder, name, tree.Path(name), flags, nullptr, nullptr, &opened);
            EXPECT_EQ(ahead.kinds, alone.kinds) << name;
            EXPECT_EQ(ahead.skipped, alone.skipped) << name;
            EXPECT_EQ(ahead.kept, alone.kept) << name;
            EXPECT_EQ(opened >= 0, (alone.kept && !alone.skipped) || own) << name;
            if (opened >= 0)
                ::close(opened);
        }
    }
    EXPECT_FALSE(OpensFile("notes.unknownsuffix", flags, nullptr));
    EXPECT_TRUE(OpensFile("a.c", flags, nullptr));
}

// Every file a scan opens is closed again, on any number of threads and when a stop ends
// the scan part-way.
TEST(Count, AScanLeavesNoFileOpen)
{
    const TempFolder tree;
    for (int i = 0; i < 300; ++i) {
        std::string name = "d";
        name.append(std::to_string(i % 7)).append("/f").append(std::to_string(i)).append(".c");
        tree.Write(name, "int x;\n");
    }
    const std::size_t before = OpenDescriptors();
    for (const unsigned jobs : {1u, 2u, 3u}) {
        const ScanOptions options;
        const StopToken stop;
        NullScanSink quiet;
        EXPECT_EQ(
            Count(lintally::testing::Walk(tree.Root(), "*.c", options, jobs), stop, quiet).files,
            300u);
        EXPECT_EQ(OpenDescriptors(), before) << jobs << " jobs";
        StopToken stopping;
        StopSoon soon(stopping);
        EXPECT_TRUE(
            Count(lintally::testing::Walk(tree.Root(), "*.c", options, jobs), stopping, soon)
                .stopped);
        EXPECT_EQ(OpenDescriptors(), before) << jobs << " jobs, stopped";
    }
}
