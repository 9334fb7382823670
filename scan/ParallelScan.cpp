#include "scan/CountEngines.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <utility>

#include "fileio/FileBatch.h"
#include "fileio/PathSeparator.h"
#include "scan/HeldFiles.h"
#include "scan/PatternList.h"
#include "scan/ResultTally.h"
#include "scan/Walker.h"
#include "scan/WorkQueue.h"

namespace lintally::scan {

namespace {

// Files go over the queue in batches, so a lock is taken once per batch, not per file.
constexpr std::size_t kBatchSize = 128;
constexpr std::size_t kBatchesPerThread = 4;

struct WorkItem
{
    FolderRef folder;  // kept open until the file is counted
    std::string name;  // the file's name in folder
    std::string fullPath;
    std::uint32_t nameOffset = 0;  // where the relative name starts in fullPath
    std::size_t listed = 0;        // the file's index in the list, for a content source
};

using Batch = std::vector<WorkItem>;

// One counting thread's share of the result, and its reader when a source gives the bytes.
struct Share
{
    Share(const Grouping* grouping, const IContentSource* from) : tally(grouping), source(from) {}

    // The thread's reader, made on its first use by the thread that counts.
    IContentReader* Reader()
    {
        if (!readerAsked) {
            readerAsked = true;
            reader = source->NewReader();
        }
        return reader.get();
    }

    ResultTally tally;
    std::vector<HeldFile> held;  // with --unique: the counted files, tallied at the end
    bool cut = false;            // a stop left files of this share uncounted
    const IContentSource* source;
    std::unique_ptr<IContentReader> reader;
    bool readerAsked = false;
};

// What the walk's thread hands on: batches over the queue to the counting threads, or,
// when the system gave no thread, counted there and then into the inline share.
class Feeder final : public IWalkVisitor
{
public:
    Feeder(const ScanOptions& options, const StopToken& stop, IScanSink& sink,
           WorkQueue<Batch>& queue, const Selection* selection, Share* inlineShare, bool fromSource)
        : m_options(options), m_stop(stop), m_sink(sink), m_queue(queue), m_selection(selection),
          m_inline(inlineShare), m_fromSource(fromSource)
    {}

    bool Poll() override { return !m_stop.StopRequested(); }
    bool IncludeSubFolders() override { return m_options.includeSubFolders.load(); }

    bool EnterFolder(const std::string& name, std::string_view relativeName) override
    {
        return !Leaves(m_selection == nullptr ? std::nullopt
                                              : m_selection->Leaves(name, relativeName, true));
    }

    void OnFolderRead(std::string_view relativeName, const std::vector<DirEntry>& entries) override
    {
        if (m_selection != nullptr) {
            m_selection->NoteFolderRead(relativeName, entries);
        }
    }

    void OnFileFound(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                     std::string_view relativeName, bool link) override
    {
        if (m_selection != nullptr && Leaves(m_selection->Leaves(name, relativeName, false))) {
            return;
        }
        if (link && m_selection != nullptr && Leaves(m_selection->LeavesLink(fullPath))) {
            return;
        }
        const auto offset = static_cast<std::uint32_t>(fullPath.size() - relativeName.size());
        m_batch.push_back(WorkItem{folder, name, fullPath, offset});
        if (m_batch.size() == kBatchSize) {
            Flush();
        }
    }

    // A listed file: asked of the selection by its whole name, then handed on to be opened
    // in its folder, which stays open while the files after it share it (a list from an
    // index holds the files of a folder together), so no file's path is looked up whole.
    void TrustListedNames(bool trusted) { m_trackedNames = trusted; }

    // A file whose bytes come from a source opens no folder.
    void OnListed(std::string_view prefix, const std::string& name, std::size_t baseAt,
                  std::size_t listed)
    {
        if (m_selection != nullptr && Leaves(m_selection->LeavesPath(name, m_trackedNames))) {
            return;
        }
        std::string fullPath = std::string(prefix) + name;
        const std::size_t folderLength = prefix.size() + baseAt;
        if (m_fromSource) {
            m_listFolder.reset();
        } else if (!m_listFolder ||
                   m_listFolderPath.compare(0, std::string::npos, fullPath, 0, folderLength) != 0) {
            m_listFolderPath.assign(fullPath, 0, folderLength);
            m_listFolder = OpenFolderAt(m_listFolderPath, m_trackedNames);
        }
        const auto offset = static_cast<std::uint32_t>(prefix.size());
        m_batch.push_back(
            WorkItem{m_listFolder, name.substr(baseAt), std::move(fullPath), offset, listed});
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
    const SkipCounts& Skips() const { return m_skips; }

    void Flush();

private:
    bool Leaves(std::optional<SkipReason> reason)
    {
        if (reason) {
            m_skips.Add(*reason);
        }
        return reason.has_value();
    }

    const ScanOptions& m_options;
    const StopToken& m_stop;
    IScanSink& m_sink;
    WorkQueue<Batch>& m_queue;
    const Selection* m_selection;
    Share* m_inline;
    bool m_fromSource;
    Batch m_batch;
    std::vector<SkippedFolder> m_skipped;
    SkipCounts m_skips;
    bool m_trackedNames = false;
    std::string m_listFolderPath;  // the folder of the last listed file, and that folder open
    FolderRef m_listFolder;
};

// Opens the files of items that a batch may open (those in folders whose listing is trusted,
// that the count will read) in one go; opened[i] is what the open of items[i] gave, or
// kNotTried.
void OpenAhead(std::span<WorkItem> items, std::uint32_t flags, const Selection* selection,
               Brim::FileBatch& files, std::span<int> opened)
{
    std::fill(opened.begin(), opened.end(), Brim::FileBatch::kNotTried);
    std::size_t at[Brim::FileBatch::kMax];
    int folders[Brim::FileBatch::kMax];
    const char* names[Brim::FileBatch::kMax];
    int results[Brim::FileBatch::kMax];
    std::size_t count = 0;
    for (std::size_t i = 0; i < items.size() && count < Brim::FileBatch::kMax; ++i) {
        const int folder = ListedFolderDescriptor(items[i].folder);
        if (folder >= 0 && OpensFile(items[i].name, flags, selection)) {
            at[count] = i;
            folders[count] = folder;
            names[count++] = items[i].name.c_str();
        }
    }
    if (count == 0) {
        return;
    }
    files.OpenListed({folders, count}, {names, count}, {results, count});
    for (std::size_t i = 0; i < count; ++i) {
        opened[at[i]] = results[i];
    }
}

// Counts one batch into share, a group of files at a time, each group opened and closed at
// once through files when it is given and ready; false when a stop cut it short.
bool CountBatch(Batch& batch, const ScanOptions& options, const StopToken& stop,
                const Selection* selection, IScanSink& sink, Share& share, Brim::FileBatch* files)
{
    constexpr std::size_t kGroup = Brim::FileBatch::kMax;
    const bool ahead = files != nullptr && files->Ready() && share.source == nullptr;
    for (std::size_t from = 0; from < batch.size(); from += kGroup) {
        const std::span<WorkItem> group =
            std::span(batch).subspan(from, std::min(kGroup, batch.size() - from));
        int opened[kGroup];
        std::fill(std::begin(opened), std::end(opened), -1);
        if (ahead) {
            OpenAhead(group, options.countFlags.load(), selection, *files, opened);
        }
        // What stays open when the group is done, or left by a stop, is closed at once.
        const auto closeOpened = [&] {
            if (ahead) {
                files->Close({opened, group.size()});
            }
        };
        for (std::size_t i = 0; i < group.size(); ++i) {
            WorkItem& item = group[i];
            if (stop.StopRequested()) {
                closeOpened();
                return false;
            }
            const std::uint32_t flags = options.countFlags.load();
            const FileLines file = share.source == nullptr
                                       ? TallyFile(item.folder, item.name, item.fullPath, flags,
                                                   &stop, selection, ahead ? &opened[i] : nullptr)
                                       : TallyContent(
                                             item.name, [&share] { return share.Reader(); },
                                             item.listed, flags, &stop, selection);
            item.folder.reset();
            // A stop during the count leaves it unfinished: no row rather than a wrong one.
            if (stop.StopRequested()) {
                closeOpened();
                return false;
            }
            if (!file.kept) {
                continue;
            }
            const std::string_view name = std::string_view(item.fullPath).substr(item.nameOffset);
            const std::uint64_t lines = file.Counted(flags);
            if (selection != nullptr && selection->unique && !file.skipped) {
                share.held.push_back(
                    HeldFile{std::move(item.fullPath), item.nameOffset, item.listed, file, flags});
                sink.OnRowCounted(share.held.back().Name(), lines);
                continue;
            }
            share.tally.Add(name, file, flags);
            if (!file.skipped || *file.skipped == SkipReason::Unreadable) {
                sink.OnRowCounted(name, lines);
            }
        }
        closeOpened();
    }
    return true;
}

void CountBatches(WorkQueue<Batch>& queue, const ScanOptions& options, const StopToken& stop,
                  const Selection* selection, IScanSink& sink, Share& share)
{
    Batch batch;
    Brim::FileBatch files;
    // After a stop the queue is still drained, so the walk never waits on it.
    while (queue.Pop(batch)) {
        if (!CountBatch(batch, options, stop, selection, sink, share, &files)) {
            share.cut = true;
        }
    }
}

void Feeder::Flush()
{
    if (m_batch.empty()) {
        return;
    }
    if (m_inline != nullptr) {
        m_inline->cut =
            !CountBatch(m_batch, m_options, m_stop, m_selection, m_sink, *m_inline, nullptr) ||
            m_inline->cut;
        m_batch.clear();
        return;
    }
    m_queue.Push(std::move(m_batch));
    m_batch = Batch();
    m_batch.reserve(kBatchSize);
}

ScanResult Merge(std::vector<Share>& shares, bool stopped)
{
    std::vector<HeldFile> held;
    for (Share& share : shares) {
        std::move(share.held.begin(), share.held.end(), std::back_inserter(held));
    }
    if (!held.empty()) {
        TallyUnique(held, shares.front().source, shares.front().tally);
    }
    ScanResult result;
    result.stopped = stopped;
    for (Share& share : shares) {
        result.stopped = result.stopped || share.cut;
        share.tally.MoveInto(result);
    }
    FinishResult(result);
    return result;
}

// Runs feed (the walk or the list) on the calling thread with jobs counting threads
// behind it; feed returns false when a stop ended it.
template <class Feed>
ScanResult RunScan(unsigned jobs, const ScanOptions& options, const StopToken& stop,
                   IScanSink& sink, const Grouping* grouping, const Selection* selection,
                   const IContentSource* source, Feed feed)
{
    if (jobs == 0) {
        jobs = 1;
    }
    WorkQueue<Batch> queue(kBatchesPerThread * jobs);
    std::vector<Share> shares;
    shares.reserve(jobs);
    for (unsigned i = 0; i < jobs; ++i) {
        shares.emplace_back(grouping, source);
    }
    std::vector<std::thread> counters;
    counters.reserve(jobs);
    for (unsigned i = 0; i < jobs; ++i) {
        try {
            counters.emplace_back(CountBatches, std::ref(queue), std::cref(options),
                                  std::cref(stop), selection, std::ref(sink), std::ref(shares[i]));
        } catch (const std::system_error&) {
            break;  // run with the threads the system gave us
        }
    }
    // With no thread at all the walk's thread counts each batch itself.
    Feeder feeder(options, stop, sink, queue, selection, counters.empty() ? &shares[0] : nullptr,
                  source != nullptr);
    const bool completed = feed(feeder);
    feeder.Flush();
    queue.Close();
    for (std::thread& thread : counters) {
        thread.join();
    }
    ScanResult result = Merge(shares, !completed);
    result.skipped = feeder.TakeSkipped();
    result.skips += feeder.Skips();
    sink.OnFinished(result.stopped);
    return result;
}

}  // namespace

ScanResult RunParallelScan(std::string_view root, const std::vector<std::string>& patterns,
                           const ScanOptions& options, unsigned jobs, const StopToken& stop,
                           IScanSink& sink, const Grouping* grouping, const Selection* selection)
{
    return RunScan(jobs, options, stop, sink, grouping, selection, nullptr,
                   [&](Feeder& feeder) { return WalkFolder(root, patterns, feeder); });
}

ScanResult RunParallelListScan(std::string_view prefix, const std::vector<std::string>& names,
                               const std::vector<std::string>& patterns, const ScanOptions& options,
                               unsigned jobs, const StopToken& stop, IScanSink& sink,
                               const Grouping* grouping, const Selection* selection,
                               const IContentSource* source, bool trackedNames)
{
    return RunScan(jobs, options, stop, sink, grouping, selection, source, [&](Feeder& feeder) {
        feeder.TrustListedNames(trackedNames);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (stop.StopRequested()) {
                return false;
            }
            const std::string& name = names[i];
            const std::size_t slash = name.find_last_of(Brim::kPathSeparator == '/' ? "/" : "/\\");
            const std::size_t baseAt = slash == std::string::npos ? 0 : slash + 1;
            if (MatchPattern(patterns, NameSuffix(std::string_view(name).substr(baseAt)))) {
                feeder.OnListed(prefix, name, baseAt, i);
            }
            feeder.OnEntryChecked();
        }
        return true;
    });
}

}  // namespace lintally::scan
