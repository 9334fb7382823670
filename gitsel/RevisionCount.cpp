#include "gitsel/RevisionCount.h"

#include "scan/ParallelScan.h"

namespace lintally::gitsel {

scan::ScanResult CountRevision(const Revision& revision, const std::vector<std::string>& patterns,
                               const scan::ScanOptions& options, unsigned jobs,
                               const scan::StopToken& stop, scan::IScanSink& sink,
                               const scan::Grouping* grouping, const scan::Selection* selection)
{
    scan::ScanResult result =
        scan::RunParallelListScan({}, revision.Files(), patterns, options, jobs, stop, sink,
                                  grouping, selection, &revision.Content());
    result.skipped.insert(result.skipped.begin(), revision.Missing().begin(),
                          revision.Missing().end());
    return result;
}

}  // namespace lintally::gitsel
