#include "scan/CountEngines.h"

#include "scan/ResultTally.h"
#include "scan/Walker.h"

namespace lintally::scan {

namespace {

class SerialVisitor final : public IWalkVisitor
{
public:
    SerialVisitor(const ScanOptions& options, const StopToken& stop, IScanSink& sink,
                  const std::function<bool()>& poll, ResultTally& tally, ScanResult& result)
        : m_options(options), m_stop(stop), m_sink(sink), m_poll(poll), m_tally(tally),
          m_result(result)
    {}

    bool Poll() override
    {
        if (m_poll && !m_poll()) {
            return false;
        }
        return !m_stop.StopRequested();
    }

    bool IncludeSubFolders() override { return m_options.includeSubFolders.load(); }

    void OnFileFound(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                     std::string_view relativeName, bool /*link*/) override
    {
        const std::uint32_t flags = m_options.countFlags.load();
        const FileLines file = TallyFile(folder, name, fullPath, flags);
        if (!file.kept) {
            return;
        }
        const std::uint64_t lines = file.Counted(flags);
        m_tally.Add(relativeName, file, flags);
        m_sink.OnRowCounted(relativeName, lines);
    }

    void OnEntryChecked() override { m_sink.OnEntryWalked(); }

    void OnFolderSkipped(std::string_view relativeName, const std::string& reason) override
    {
        m_result.skipped.push_back(SkippedFolder{std::string(relativeName), reason});
    }

private:
    const ScanOptions& m_options;
    const StopToken& m_stop;
    IScanSink& m_sink;
    const std::function<bool()>& m_poll;
    ResultTally& m_tally;
    ScanResult& m_result;
};

}  // namespace

ScanResult RunSerialScan(std::string_view root, const std::vector<std::string>& patterns,
                         const ScanOptions& options, const StopToken& stop, IScanSink& sink,
                         const std::function<bool()>& poll, const Grouping* grouping)
{
    ScanResult result;
    ResultTally tally(grouping);
    SerialVisitor visitor(options, stop, sink, poll, tally, result);
    result.stopped = !WalkFolder(root, patterns, visitor);
    tally.MoveInto(result);
    FinishResult(result);
    sink.OnFinished(result.stopped);
    return result;
}

}  // namespace lintally::scan
