// One count: which files (a walk of a folder, or a list of names, whose bytes may come from
// somewhere other than the file system), how to count them (CountSettings), how to group
// the result, and on how many threads; Count runs it. Every front end counts through it:
// the dialog's paced scan, a count of the command line, --files-from, --rev and each side of
// a diff.
//
// Count blocks the calling thread until the count ends. Thread rule of the sink: see
// ScanSink.h. Whatever the request points to outlives the count; live options and stop may
// be changed from other threads while it runs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scan/ContentSource.h"
#include "scan/CountSettings.h"
#include "scan/Grouping.h"
#include "scan/ScanOptions.h"
#include "scan/ScanResult.h"
#include "scan/ScanSink.h"
#include "scan/Selection.h"
#include "scan/StopToken.h"

namespace lintally::scan {

// Which files a count reads.
struct FileSet
{
    // The folder walked; for a list, what comes before each name to open it (a root and a
    // separator, or nothing).
    std::string root;
    // The files of a list, counted in any order and named as listed (which is also what the
    // selection's patterns see); null: walk root. Repeats are not looked for.
    const std::vector<std::string>* names = nullptr;
    // For a list: where the bytes of names[i] come from when not from files (each counting
    // thread reads through a reader of its own); null: the files are opened.
    const IContentSource* content = nullptr;
    // For a list: the names come from a repository's index, which lists files and links
    // only, so they open as a walk's listed files do.
    bool tracked = false;
    // Folders the set had to leave out (a revision's submodules): the result's first
    // skipped folders.
    std::vector<SkippedFolder> missing;
};

struct CountRequest
{
    FileSet files;
    CountSettings settings;
    const Grouping* grouping = nullptr;    // null: a row per file; else group sums only
    const Selection* selection = nullptr;  // what to leave out, counted in the result's skips
    unsigned jobs = 1;                     // counting threads (at least one is used)
    // The dialog's paced scan: set, the walk runs on the calling thread alone, pace is
    // called before each entry (false from it stops like the token) and the options are
    // read from live, which may change while it runs (settings then give only the types).
    std::function<bool()> pace;
    const ScanOptions* live = nullptr;
};

// Runs the count. Every way gives the same rows, groups and totals over the same files.
[[nodiscard]] ScanResult Count(const CountRequest& request, const StopToken& stop, IScanSink& sink);

}  // namespace lintally::scan
