#include "scan/CountRequest.h"

#include "scan/CountEngines.h"

namespace lintally::scan {

namespace {

ScanResult Run(const CountRequest& request, const ScanOptions& options, const StopToken& stop,
               IScanSink& sink)
{
    const std::vector<std::string> patterns = request.settings.Patterns();
    const FileSet& files = request.files;
    if (request.pace) {
        return RunSerialScan(files.root, patterns, options, stop, sink, request.pace,
                             request.grouping);
    }
    if (files.names != nullptr) {
        return RunParallelListScan(files.root, *files.names, patterns, options, request.jobs, stop,
                                   sink, request.grouping, request.selection, files.content,
                                   files.tracked);
    }
    return RunParallelScan(files.root, patterns, options, request.jobs, stop, sink,
                           request.grouping, request.selection);
}

}  // namespace

ScanResult Count(const CountRequest& request, const StopToken& stop, IScanSink& sink)
{
    ScanResult result;
    if (request.live != nullptr) {
        result = Run(request, *request.live, stop, sink);
    } else {
        const ScanOptions options(request.settings);
        result = Run(request, options, stop, sink);
    }
    const std::vector<SkippedFolder>& missing = request.files.missing;
    result.skipped.insert(result.skipped.begin(), missing.begin(), missing.end());
    return result;
}

}  // namespace lintally::scan
