// Counting the ROOTs of a command line, each as its plan says (walked, listed, or a git
// revision's files), into one result: the count of `lintally-cli` and of each folder or
// revision side of a diff. Shows the progress line the options ask for; an interrupt stops
// the count (the caller checks InterruptSignal()).
//
// Runs on main's thread (the count uses threads of its own).
#pragma once

#include <vector>

#include "cli/CliOptions.h"
#include "cli/SelectionOptions.h"
#include "scan/Grouping.h"
#include "scan/ScanResult.h"
#include "scan/Selection.h"

namespace lintally::cli {

// With several roots, names relative to a root are named under it, so the rows and folders
// of different roots stay apart. Rows are kept only for a count by file or a report; groups
// alone keep memory flat.
[[nodiscard]] scan::ScanResult CountRoots(const CliOptions& options,
                                          const scan::Selection& selection,
                                          std::vector<RootPlan>& plans);

// name under root as given, for the rows of a count of several roots ("." is root itself).
[[nodiscard]] std::string UnderRoot(const std::string& root, const std::string& name);

// Adds one root's result to the whole; with several roots, names that are relative to the
// root are named under it (rows, folders skipped, and groups when byFolder); groups go to
// groups, which the caller takes into the whole at the end.
void AddRootResult(scan::ScanResult& whole, scan::ScanResult part, const std::string& root,
                   bool severalRoots, bool byFolder, scan::GroupTable& groups);

// Names on standard error each file of revision that could not be read, with why; true when
// there was one (the count is then incomplete).
[[nodiscard]] bool ReportUnread(const gitsel::Revision& revision);

}  // namespace lintally::cli
