#include "scan/ParallelScan.h"

#include <cstdint>
#include <system_error>
#include <thread>
#include <utility>

#include "scan/ResultTally.h"
#include "scan/SerialScan.h"
#include "scan/Walker.h"
#include "scan/WorkQueue.h"

namespace lintally::scan {

namespace {

// Files go over the queue in batches, so a lock is taken once per batch, not per file.
constexpr std::size_t kBatchSize = 32;
constexpr std::size_t kBatchesPerThread = 4;

struct WorkItem
{
    FolderRef folder;  // kept open until the file is counted
    std::string name;  // the file's name in folder
    std::string fullPath;
    std::uint32_t nameOffset = 0;  // where the relative name starts in fullPath
};

using Batch = std::vector<WorkItem>;

class Feeder final : public IWalkVisitor
{
public:
    Feeder(const ScanOptions& options, const StopToken& stop, IScanSink& sink,
           WorkQueue<Batch>& queue)
        : m_options(options), m_stop(stop), m_sink(sink), m_queue(queue)
    {
    }

    bool Poll() override { return !m_stop.StopRequested(); }
    bool IncludeSubFolders() override { return m_options.includeSubFolders.load(); }

    void OnFileFound(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                     std::string_view relativeName) override
    {
        const auto offset = static_cast<std::uint32_t>(fullPath.size() - relativeName.size());
        m_batch.push_back(WorkItem{folder, name, fullPath, offset});
        if (m_batch.size() == kBatchSize) {
            Flush();
        }
    }

    void OnEntryChecked() override { m_sink.OnEntryWalked(); }

    void OnFolderSkipped(std::string_view relativeName, const std::string& reason) override
    {
        m_skipped.push_back(SkippedFolder{std::string(relativeName), reason});
    }

    std::vector<SkippedFolder> TakeSkipped() { return std::move(m_skipped); }

    void Flush()
    {
        if (!m_batch.empty()) {
            m_queue.Push(std::move(m_batch));
            m_batch = Batch();
            m_batch.reserve(kBatchSize);
        }
    }

private:
    const ScanOptions& m_options;
    const StopToken& m_stop;
    IScanSink& m_sink;
    WorkQueue<Batch>& m_queue;
    Batch m_batch;
    std::vector<SkippedFolder> m_skipped;
};

// One counting thread's share of the result.
struct Share
{
    explicit Share(const Grouping* grouping) : tally(grouping) {}

    ResultTally tally;
    bool cut = false;  // a stop left files of this share uncounted
};

void CountBatches(WorkQueue<Batch>& queue, const ScanOptions& options, const StopToken& stop,
                  IScanSink& sink, Share& share)
{
    Batch batch;
    while (queue.Pop(batch)) {
        for (WorkItem& item : batch) {
            // After a stop the queue is still drained, so the walk never waits on it.
            if (stop.StopRequested()) {
                share.cut = true;
                break;
            }
            const std::uint32_t flags = options.countFlags.load();
            const FileLines file = TallyFile(item.folder, item.name, item.fullPath, flags, &stop);
            item.folder.reset();
            // A stop during the count leaves it unfinished: no row rather than a wrong one.
            if (stop.StopRequested()) {
                share.cut = true;
                break;
            }
            if (!file.kept) {
                continue;
            }
            const std::string_view name = std::string_view(item.fullPath).substr(item.nameOffset);
            const std::uint64_t lines = file.kinds.Counted(flags);
            share.tally.Add(name, file, lines);
            sink.OnRowCounted(name, lines);
        }
    }
}

ScanResult Merge(std::vector<Share>& shares, bool stopped)
{
    ScanResult result;
    result.stopped = stopped;
    for (Share& share : shares) {
        result.stopped = result.stopped || share.cut;
        share.tally.MoveInto(result);
    }
    FinishResult(result);
    return result;
}

}  // namespace

ScanResult RunParallelScan(std::string_view root, const std::vector<std::string>& patterns,
                           const ScanOptions& options, unsigned jobs, const StopToken& stop,
                           IScanSink& sink, const Grouping* grouping)
{
    if (jobs == 0) {
        jobs = 1;
    }
    WorkQueue<Batch> queue(kBatchesPerThread * jobs);
    std::vector<Share> shares(jobs, Share(grouping));
    std::vector<std::thread> counters;
    counters.reserve(jobs);
    for (unsigned i = 0; i < jobs; ++i) {
        try {
            counters.emplace_back(CountBatches, std::ref(queue), std::cref(options),
                                  std::cref(stop), std::ref(sink), std::ref(shares[i]));
        } catch (const std::system_error&) {
            break;  // run with the threads the system gave us
        }
    }
    if (counters.empty()) {
        return RunSerialScan(root, patterns, options, stop, sink, {}, grouping);
    }
    Feeder feeder(options, stop, sink, queue);
    const bool completed = WalkFolder(root, patterns, feeder);
    feeder.Flush();
    queue.Close();
    for (std::thread& thread : counters) {
        thread.join();
    }
    ScanResult result = Merge(shares, !completed);
    result.skipped = feeder.TakeSkipped();
    sink.OnFinished(result.stopped);
    return result;
}

}  // namespace lintally::scan
