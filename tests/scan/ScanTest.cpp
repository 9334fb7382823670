#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "scan/CountRequest.h"
#include "scan/FileCount.h"
#include "tests/scan/WalkRequest.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnreadableFile.h"

using namespace lintally::scan;
using lintally::testing::PacedWalk;
using lintally::testing::TempFolder;
using lintally::testing::UnreadableFile;
using lintally::testing::Walk;

namespace {

const std::string kTrees = std::string(LINTALLY_TEST_DATA) + "/trees";

// Counts what it is told; safe for the parallel scan's concurrent calls.
class CountingSink final : public IScanSink
{
public:
    void OnRowCounted(std::string_view, std::uint64_t lines) override
    {
        ++rows;
        total += lines;
    }
    void OnEntryWalked() override { ++entries; }
    void OnFinished(bool wasStopped) override
    {
        ++finished;
        stopped = wasStopped;
    }

    std::atomic<int> rows{0};
    std::atomic<std::uint64_t> total{0};
    std::atomic<int> entries{0};
    std::atomic<int> finished{0};
    std::atomic<bool> stopped{false};
};

// A tree of many small files in a few folders, with counts that differ per file.
void FillManyFiles(const TempFolder& tree, int count)
{
    for (int i = 0; i < count; ++i) {
        std::string name = "d";
        name.append(std::to_string(i % 7)).append("/f").append(std::to_string(i)).append(".c");
        std::string bytes(static_cast<std::size_t>(i % 13), '\n');
        bytes.append("x\n");
        tree.Write(name, bytes);
    }
}

bool SameRows(const ScanResult& a, const ScanResult& b)
{
    if (a.rows.size() != b.rows.size() || a.total != b.total) {
        return false;
    }
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        if (a.rows[i].name != b.rows[i].name || a.rows[i].lines != b.rows[i].lines) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(CountFile, AFileThatCannotBeOpenedCountsZero)
{
    const TempFolder tree;
    EXPECT_EQ(CountFile(tree.Path("missing.c"), MakeCountFlags(true, false, false)), 0u);
    tree.Folder("folder.c");
    EXPECT_EQ(CountFile(tree.Path("folder.c"), MakeCountFlags(true, false, false)), 0u);
}

TEST(CountFile, AppliesTheOptionBits)
{
    const TempFolder tree;
    tree.Write("six.c", "#include <a.h>\n\n// remark\n/* block */\nint x; // remark\n   \n");
    EXPECT_EQ(CountFile(tree.Path("six.c"), MakeCountFlags(false, true, false)), 2u);
    EXPECT_EQ(CountFile(tree.Path("six.c"), MakeCountFlags(false, false, false)), 4u);
    EXPECT_EQ(CountFile(tree.Path("six.c"), MakeCountFlags(true, true, false)), 4u);
    EXPECT_EQ(CountFile(tree.Path("six.c"), MakeCountFlags(true, false, false)), 6u);
}

TEST(PacedCount, ReportsEveryRowAndEveryEntryToTheSink)
{
    const ScanOptions options;
    const StopToken stop;
    CountingSink sink;
    const ScanResult result = Count(PacedWalk(kTrees + "/filter", "*.c,*.h", options), stop, sink);
    ASSERT_EQ(result.rows.size(), 2u);
    EXPECT_EQ(result.rows[0].name, "a.c");
    EXPECT_EQ(result.rows[1].name, "B.H");
    EXPECT_EQ(result.total, 6u);
    EXPECT_EQ(sink.rows, 2);
    EXPECT_EQ(sink.total, 6u);
    EXPECT_EQ(sink.entries, 6);  // every file entry, matched or not
    EXPECT_EQ(sink.finished, 1);
    EXPECT_FALSE(result.stopped);
}

TEST(PacedCount, PollHookCanEndTheScanKeepingTheRowsSoFar)
{
    const TempFolder tree;
    FillManyFiles(tree, 20);
    const ScanOptions options;
    const StopToken stop;
    CountingSink sink;
    int polls = 0;
    const ScanResult result =
        Count(PacedWalk(tree.Root(), "*.c", options, [&polls] { return ++polls < 5; }), stop, sink);
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(sink.stopped);
    EXPECT_LT(result.rows.size(), 4u);
}

TEST(PacedCount, AStoppedTokenWalksNothing)
{
    const ScanOptions options;
    StopToken stop;
    stop.RequestStop();
    CountingSink sink;
    const ScanResult result = Count(PacedWalk(kTrees + "/nested", "*.*", options), stop, sink);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(stop.WaitFor(std::chrono::microseconds(0)));
    stop.Reset();
    EXPECT_FALSE(stop.WaitFor(std::chrono::microseconds(100)));
}

TEST(Count, GivesThePacedRowsForAnyNumberOfThreads)
{
    const TempFolder tree;
    FillManyFiles(tree, 300);
    tree.Write("sub/.hidden/h.C", "a\nb\n");
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    const ScanResult serial = Count(PacedWalk(tree.Root(), "*.c", options), stop, quiet);
    ASSERT_EQ(serial.rows.size(), 301u);
    for (const unsigned jobs : {1u, 2u, 8u}) {
        CountingSink sink;
        const ScanResult parallel = Count(Walk(tree.Root(), "*.c", options, jobs), stop, sink);
        EXPECT_TRUE(SameRows(serial, parallel)) << jobs << " threads";
        EXPECT_EQ(sink.rows, 301);
        EXPECT_EQ(sink.total, serial.total);
        EXPECT_EQ(sink.entries, 301);
        EXPECT_EQ(sink.finished, 1);
    }
}

namespace {

// Holds each counted row until a second thread has counted one too: it meets one at once only
// when the count runs more than one counting thread. The bound only ends a count that never
// meets one.
class MeetingSink final : public IScanSink
{
public:
    void OnRowCounted(std::string_view, std::uint64_t) override
    {
        std::unique_lock lock(m_mutex);
        m_threads.insert(std::this_thread::get_id());
        m_changed.notify_all();
        if (!m_changed.wait_for(lock, std::chrono::seconds(20),
                                [this] { return m_threads.size() > 1 || m_gaveUp; })) {
            m_gaveUp = true;
        }
    }
    void OnEntryWalked() override {}
    void OnFinished(bool) override {}
    std::size_t Threads()
    {
        const std::lock_guard lock(m_mutex);
        return m_threads.size();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::set<std::thread::id> m_threads;
    bool m_gaveUp = false;
};

}  // namespace

TEST(Count, CountsOnSeveralThreadsAtOnce)
{
    const TempFolder tree;
    FillManyFiles(tree, 300);  // more files than one batch to a counting thread holds
    const ScanOptions options;
    const StopToken stop;
    MeetingSink sink;
    const ScanResult result = Count(Walk(tree.Root(), "*.c", options, 2), stop, sink);
    EXPECT_EQ(result.rows.size(), 300u);
    EXPECT_EQ(sink.Threads(), 2u);
}

TEST(Count, HonoursTheOptions)
{
    ScanOptions options;
    options.includeSubFolders = false;
    options.countFlags = MakeCountFlags(false, true, false);
    const StopToken stop;
    NullScanSink quiet;
    const ScanResult result = Count(Walk(kTrees + "/nested", "*.*", options, 4), stop, quiet);
    ASSERT_EQ(result.rows.size(), 4u);
    EXPECT_EQ(result.rows[3].name, "top.c");
    EXPECT_EQ(result.total, 1u + 4u + 1u + 1u);  // .dot.c, block.c, crlf.c, top.c
}

namespace {

// Asks for a stop as soon as the first row arrives.
class StoppingSink final : public IScanSink
{
public:
    explicit StoppingSink(StopToken& stop) : m_stop(stop) {}
    void OnRowCounted(std::string_view, std::uint64_t) override { m_stop.RequestStop(); }
    void OnEntryWalked() override {}
    void OnFinished(bool wasStopped) override { stopped = wasStopped; }
    bool stopped = false;

private:
    StopToken& m_stop;
};

}  // namespace

TEST(Count, AStopEndsWalkAndCountingAndIsReported)
{
    const TempFolder tree;
    FillManyFiles(tree, 2000);
    const ScanOptions options;
    StopToken stop;
    StoppingSink sink(stop);
    const ScanResult result = Count(Walk(tree.Root(), "*.c", options, 2), stop, sink);
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(sink.stopped);
    EXPECT_LT(result.rows.size(), 2000u);
}

namespace {

// Holds the first counted row until the walk has gone through every entry, then asks for
// a stop: the walk ends complete and only the counting is cut.
class CutCountingSink final : public IScanSink
{
public:
    CutCountingSink(StopToken& stop, int entries) : m_stop(stop), m_entries(entries) {}
    void OnRowCounted(std::string_view, std::uint64_t) override
    {
        for (int wait = 0; wait < 10000 && m_walked.load() < m_entries; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        m_stop.RequestStop();
    }
    void OnEntryWalked() override { ++m_walked; }
    void OnFinished(bool wasStopped) override { stopped = wasStopped; }
    bool stopped = false;

private:
    StopToken& m_stop;
    const int m_entries;
    std::atomic<int> m_walked{0};
};

}  // namespace

TEST(Count, AStopThatCutsOnlyTheCountingStillMarksTheResultStopped)
{
    // Fewer files than the queue holds, all in the root, so the walk never waits and has
    // no entry left to poll once the last one is walked.
    const TempFolder tree;
    for (int i = 0; i < 40; ++i) {
        tree.Write(std::string("f").append(std::to_string(i)).append(".c"), "x\n");
    }
    const ScanOptions options;
    StopToken stop;
    CutCountingSink sink(stop, 40);
    const ScanResult result = Count(Walk(tree.Root(), "*.c", options, 1), stop, sink);
    EXPECT_TRUE(result.stopped);
    EXPECT_TRUE(sink.stopped);
    EXPECT_EQ(result.rows.size(), 1u);
}

TEST(Count, AFileThatCannotBeReadIsARowWithZeroLines)
{
    const TempFolder tree;
    tree.Write("locked.c", "int a;\nint b;\n");
    tree.Write("free.c", "int c;\n");
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    {
        const UnreadableFile locked(tree.Path("locked.c"));
        if (!locked.IsUnreadable()) {
            GTEST_SKIP() << "this user can read every file";
        }
        const ScanResult result = Count(Walk(tree.Root(), "*.c", options, 2), stop, quiet);
        ASSERT_EQ(result.rows.size(), 2u);
        EXPECT_EQ(result.rows[0].name, "free.c");
        EXPECT_EQ(result.rows[0].lines, 1u);
        EXPECT_EQ(result.rows[1].name, "locked.c");
        EXPECT_EQ(result.rows[1].lines, 0u);
    }
    EXPECT_EQ(CountFile(tree.Path("locked.c"), options.countFlags.load()), 2u);
}

TEST(Count, GroupedKeepsNoRowsAndSumsWhatTheRowsHold)
{
    const TempFolder tree;
    FillManyFiles(tree, 200);
    tree.Write("top.c", "// c\n\nx\n");
    ScanOptions options;
    options.countFlags = MakeCountFlags(false, true, false);  // code lines alone
    const StopToken stop;
    NullScanSink quiet;
    const ScanResult rows = Count(PacedWalk(tree.Root(), "*.c", options), stop, quiet);
    const Grouping byFolder{GroupBy::Folder, 1};
    GroupTable expected;
    for (const RowView row : rows.rows) {
        expected.Add(GroupRow{GroupName(byFolder, row.name, row.lang), 1, row.lines, row.kinds});
    }
    const std::vector<GroupRow> groups = expected.Take();
    ASSERT_EQ(groups.size(), 8u);  // d0 to d6 and "."
    for (const unsigned jobs : {1u, 8u}) {
        CountRequest request = Walk(tree.Root(), "*.c", options, jobs);
        request.grouping = &byFolder;
        const ScanResult grouped = Count(request, stop, quiet);
        EXPECT_TRUE(grouped.rows.empty());
        EXPECT_EQ(grouped.total, rows.total);
        EXPECT_EQ(grouped.files, 201u);
        EXPECT_EQ(grouped.kinds, rows.kinds);
        ASSERT_EQ(grouped.groups.size(), groups.size());
        for (std::size_t i = 0; i < groups.size(); ++i) {
            EXPECT_EQ(grouped.groups[i].name, groups[i].name);
            EXPECT_EQ(grouped.groups[i].files, groups[i].files);
            EXPECT_EQ(grouped.groups[i].lines, groups[i].lines);
            EXPECT_EQ(grouped.groups[i].kinds, groups[i].kinds);
        }
    }
}
