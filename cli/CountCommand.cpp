#include "cli/CountCommand.h"

#include <iostream>

#include "cli/CountRoots.h"
#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "cli/System.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

// One line per folder the walk could not read, then how many there were: the rows and
// total leave them out, and nothing else would tell.
void ReportSkipped(const scan::ScanResult& result)
{
    for (const scan::SkippedFolder& folder : result.skipped) {
        std::cerr << kProgramName << ": skipped folder " << Brim::EscapeControlBytes(folder.name)
                  << ": " << Brim::EscapeControlBytes(folder.reason) << '\n';
    }
    const std::size_t count = result.skipped.size();
    std::cerr << kProgramName << ": " << count << (count == 1 ? " folder was" : " folders were")
              << " skipped\n";
}

}  // namespace

int RunCount(CliOptions& options)
{
    scan::Selection selection;
    std::vector<RootPlan> plans;
    if (std::string error;
        !PlanSelection(options.select, options.roots, options.settings.includeSubFolders, selection,
                       plans, error)) {
        std::cerr << kProgramName << ": " << error << '\n';
        return kUsageError;
    }
    if (!plans.empty() && plans.front().revision) {
        options.select.commit = plans.front().revision->Commit();
    }
    scan::ScanResult result = CountRoots(options, selection, plans);
    if (const int signal = InterruptSignal(); signal != 0) {
        return kInterrupted + signal;
    }
    const int status = EmitOutput(
        options.outputPath, [&](results::TextOut& text) { WriteOutput(options, result, text); });
    const bool unread =
        !plans.empty() && plans.front().revision && ReportUnread(*plans.front().revision);
    if (result.skipped.empty() && !unread) {
        return status;
    }
    if (!result.skipped.empty()) {
        ReportSkipped(result);
    }
    return status != 0 ? status : kIncomplete;
}

}  // namespace lintally::cli
