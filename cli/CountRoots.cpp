#include "cli/CountRoots.h"

#include <iostream>
#include <optional>

#include "cli/ProgressLine.h"
#include "cli/System.h"
#include "fileio/JoinPath.h"
#include "fileio/MessageText.h"
#include "gitsel/RevisionFileSet.h"
#include "scan/CountRequest.h"

namespace lintally::cli {

namespace {

// Counts one root as its plan says.
scan::ScanResult CountRoot(scan::CountRequest& request, RootPlan& plan, const scan::StopToken& stop,
                           scan::IScanSink& sink)
{
    std::optional<gitsel::RevisionFileSet> revision;
    if (plan.revision) {
        revision.emplace(*plan.revision, plan.revisionFiles ? &*plan.revisionFiles : nullptr);
        request.files = revision->Files();
    } else if (plan.listed) {
        request.files = scan::FileSet{plan.prefix, &*plan.listed, nullptr, plan.tracked, {}};
    } else {
        request.files = scan::FileSet{plan.root, nullptr, nullptr, false, {}};
    }
    return scan::Count(request, stop, sink);
}

}  // namespace

std::string UnderRoot(const std::string& root, const std::string& name)
{
    return name == "." ? root : Brim::JoinPath(root, name);
}

void AddRootResult(scan::ScanResult& whole, scan::ScanResult part, const std::string& root,
                   bool severalRoots, bool byFolder, scan::GroupTable& groups)
{
    if (severalRoots) {
        for (std::size_t i = 0; i < part.rows.size(); ++i) {
            part.rows.Rename(i, UnderRoot(root, std::string(part.rows[i].name)));
        }
    }
    whole.rows.Append(std::move(part.rows));
    for (scan::GroupRow& group : part.groups) {
        if (severalRoots && byFolder) {
            group.name = UnderRoot(root, group.name);
        }
        groups.Add(group);
    }
    for (scan::SkippedFolder& folder : part.skipped) {
        if (severalRoots && folder.name != root) {
            folder.name = UnderRoot(root, folder.name);
        }
        whole.skipped.push_back(std::move(folder));
    }
    whole.total += part.total;
    whole.files += part.files;
    whole.kinds += part.kinds;
    whole.complexity += part.complexity;
    whole.skips += part.skips;
    whole.stopped = whole.stopped || part.stopped;
}

scan::ScanResult CountRoots(const CliOptions& options, const scan::Selection& selection,
                            std::vector<RootPlan>& plans)
{
    // The report lists files, and a page sums them by language and by folder at once.
    const bool perFile = options.by.perFile || options.format == OutputFormat::Report ||
                         options.format == OutputFormat::Html;
    scan::CountRequest request;
    request.settings = options.settings;
    request.grouping = perFile ? nullptr : &options.by.grouping;
    request.jobs = options.jobs;
    const bool show = options.progress == ProgressMode::On ||
                      (options.progress == ProgressMode::Auto && IsTerminal(StdStream::Err));
    for (const RootPlan& plan : plans) {
        if (!plan.ignoreWarning.empty()) {
            std::cerr << kProgramName << ": " << plan.ignoreWarning << '\n';
        }
    }
    ProgressLine progress(StdStream::Err, show);
    scan::StopToken stop;
    StopOnInterrupt(stop);
    progress.Start();
    scan::ScanResult result;
    scan::GroupTable groups;
    const bool byFolder = !perFile && options.by.grouping.by == scan::GroupBy::Folder;
    for (RootPlan& plan : plans) {
        const scan::Selection chosen = SelectionFor(selection, plan);
        request.selection = &chosen;
        AddRootResult(result, CountRoot(request, plan, stop, progress), plan.root, plans.size() > 1,
                      byFolder, groups);
        if (result.stopped) {
            break;
        }
    }
    result.groups = groups.Take();
    progress.Finish();
    EndStopOnInterrupt();
    return result;
}

bool ReportUnread(const gitsel::Revision& revision)
{
    const std::vector<gitsel::UnreadFile> unread = revision.Unread();
    for (const gitsel::UnreadFile& file : unread) {
        std::cerr << kProgramName << ": cannot read " << Brim::EscapeControlBytes(file.name)
                  << " at revision '" << Brim::EscapeControlBytes(revision.Name())
                  << "': " << Brim::EscapeControlBytes(file.reason) << '\n';
    }
    return !unread.empty();
}

}  // namespace lintally::cli
