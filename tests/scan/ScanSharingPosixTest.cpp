// Counting only reads: files reached through links, held under other readers' locks, or
// that would block a read, still give their lines, and never stop the scan.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <string_view>

#include "scan/CountRequest.h"
#include "scan/FileCount.h"
#include "tests/scan/WalkRequest.h"
#include "tests/support/PosixTree.h"

using namespace lintally::scan;
using lintally::testing::MakeLink;
using lintally::testing::TempFolder;
using lintally::testing::Walk;

namespace {

constexpr int kLinks = 40;
constexpr std::uint64_t kLines = 20000;

// One file reached through kLinks hard links and kLinks symbolic links.
void WriteLinkedTree(const TempFolder& tree)
{
    std::string text;
    for (std::uint64_t i = 0; i < kLines; ++i)
        text += "int x;\n";
    tree.Write("big.c", text);
    for (int i = 0; i < kLinks; ++i) {
        ASSERT_EQ(
            link(tree.Path("big.c").c_str(), tree.Path("hard" + std::to_string(i) + ".c").c_str()),
            0);
        MakeLink(tree, "soft" + std::to_string(i) + ".c", "big.c");
    }
}

ScanResult Scan(const TempFolder& tree, unsigned jobs)
{
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    return Count(Walk(tree.Root(), "*.c", options, jobs), stop, quiet);
}

// Ends the whole test program when a call hangs, so a hang shows as a failure.
template <class Call>
auto WithinSeconds(int seconds, Call call)
{
    auto result = std::async(std::launch::async, call);
    if (result.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
        ADD_FAILURE() << "still running after " << seconds << " s";
        std::_Exit(1);
    }
    return result.get();
}

}  // namespace

TEST(Count, LinkedFilesGiveTheSameTotalOnAnyNumberOfThreadsAndInConcurrentScans)
{
    const TempFolder tree;
    WriteLinkedTree(tree);
    const std::uint64_t expected = kLines * (2 * kLinks + 1);
    EXPECT_EQ(Scan(tree, 1).total, expected);
    EXPECT_EQ(Scan(tree, 8).total, expected);
    auto other = std::async(std::launch::async, [&tree] { return Scan(tree, 4).total; });
    EXPECT_EQ(Scan(tree, 4).total, expected);
    EXPECT_EQ(other.get(), expected);
}

TEST(CountFile, AFileUnderAnotherReadersLockStillCounts)
{
    const TempFolder tree;
    const std::string path = tree.Write("held.c", "a\nb\nc\n");
    for (const int lock : {LOCK_SH, LOCK_EX}) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(flock(fd, lock | LOCK_NB), 0);
        EXPECT_EQ(CountFile(path, MakeCountFlags(true, false, false)), 3u) << "lock " << lock;
        close(fd);
    }
}

TEST(Count, AFileWhoseReadWouldBlockEndsWithoutStoppingTheScan)
{
    // /proc/kmsg claims to be a regular file and blocks a read until the kernel logs
    // something; only a privileged user may open it.
    const int probe = open("/proc/kmsg", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        GTEST_SKIP() << "/proc/kmsg cannot be opened here";
    close(probe);
    const TempFolder tree;
    tree.Write("a.c", "x\n");
    MakeLink(tree, "kmsg.c", "/proc/kmsg");
    const ScanResult result = WithinSeconds(20, [&tree] { return Scan(tree, 2); });
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0].name, "a.c");
    EXPECT_EQ(result.rows[0].lines, 1u);
}

// /proc hands some files out a page per read, each read short of the buffer: files of such
// a file system are checked at the open and read to their end, never cut at the first page.
TEST(Count, PseudoFileSystemFilesAreReadPastTheirFirstPage)
{
    std::ifstream maps("/proc/self/maps");
    const std::string whole(std::istreambuf_iterator<char>(maps), {});
    const auto linesInFirstPage =
        std::count(whole.begin(), whole.begin() + std::min<std::size_t>(whole.size(), 4096), '\n');
    if (whole.size() <= 4096)
        GTEST_SKIP() << "/proc/self/maps fits in one page here";
    ScanOptions options;
    options.includeSubFolders = false;
    const StopToken stop;
    NullScanSink quiet;
    // No type list names "maps" alone: every file's type, and a selection keeping maps only.
    Selection onlyMaps;
    onlyMaps.SetIgnoreCheck([](std::string_view relative, bool) { return relative != "maps"; });
    CountRequest request = Walk("/proc/self", "*.*", options, 2);
    request.selection = &onlyMaps;
    const ScanResult result = Count(request, stop, quiet);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_GT(result.total, static_cast<std::uint64_t>(linesInFirstPage) + 1);
}

// A file whose read fails keeps its row and what was read, and is reported as unreadable.
TEST(Count, AFileWhoseReadFailsIsCountedAsUnreadable)
{
    // Reading this process's memory at offset 0 fails: nothing is mapped there.
    const int probe = open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    if (probe < 0)
        GTEST_SKIP() << "/proc/self/mem cannot be opened here";
    close(probe);
    const TempFolder tree;
    tree.Write("a.c", "x\n");
    MakeLink(tree, "mem.c", "/proc/self/mem");
    const ScanResult result = Scan(tree, 2);
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.total, 1u);
    EXPECT_EQ(result.skips.unreadable, 1u);
}
