#include "cli/CountCommand.h"

#include <iostream>

#include "cli/CountRoots.h"
#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/System.h"
#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"
#include "results/CountOutput.h"

namespace lintally::cli {

namespace {

// The output's choices as the command line made them.
results::CountOutputOptions OutputOptionsOf(const CliOptions& options)
{
    return {options.format,       options.by,       options.sort,       options.top,
            options.roots,        options.settings, options.select.rev, options.select.commit,
            options.cost.Wanted()};
}

// One line on why nothing was counted and what to try, for a count that listed no file.
std::string NothingCounted(const CliOptions& options, const scan::ScanResult& result)
{
    const scan::CountSettings& settings = options.settings;
    std::string text = "nothing counted: no file ";
    if (settings.types.empty()) {
        text += "of the " + std::to_string(PrjHelper::kWideLanguageCount) +
                " languages the table knows";
    } else {
        constexpr std::size_t kShown = 60;
        const std::string types = Brim::EscapeControlBytes(settings.types);
        text += "of the types " + (types.size() > kShown ? types.substr(0, kShown) + "..." : types);
    }
    text += " was found";
    if (const std::string left = results::SkipSummary(result); !left.empty()) {
        text += "; left out: " + left;
    }
    if (result.skips.ignored != 0) {
        text += "; --no-ignore counts what git ignores";
    }
    if (settings.languages == scan::LanguageTable::Design) {
        text += "; --languages wide knows " + std::to_string(PrjHelper::kWideLanguageCount) +
                " languages";
    } else if (!settings.types.empty()) {
        text += "; without -t every language the table knows counts";
    }
    return text;
}

}  // namespace

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
    const results::CountOutputOptions output = OutputOptionsOf(options);
    if (result.files == 0 && !result.stopped) {
        std::cerr << kProgramName << ": " << NothingCounted(options, result) << '\n';
    }
    const int status = EmitOutput(options.outputPath, [&](results::TextOut& text) {
        results::WriteCountOutput(output, result, text);
    });
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
