// The command line's choice of what to count: the options that leave files out (--exclude,
// --exclude-vcs, --gitignore, --skip-binary, --generated, --max-size,
// --unique) and those that name the files
// instead of walking for them (--git, --files-from, --rev), checked and turned into one plan per
// ROOT before the scan starts, so every usage error comes before any counting.
//
// Plain values and functions; used by main's thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gitsel/IgnoreRules.h"
#include "gitsel/Revision.h"
#include "scan/Selection.h"

namespace CLI {
class App;
}

namespace lintally::cli {

struct SelectionChoices
{
    std::vector<std::string> excludes;
    bool excludeVcs = false;
    bool gitignore = false;
    // A walk leaves out version-control folders and, in a git work tree, what git ignores
    // (the default of a count that is not the dialog's); outside a work tree nothing more.
    bool ignoreByDefault = false;
    // A walk leaves out a link to a file under its ROOT, which it counts where it lies.
    bool linksOnce = false;
    bool git = false;
    bool skipBinary = false;
    bool skipGenerated = false;  // the wide table's default; see scan/GeneratedFile.h
    std::uint64_t maxSize = 0;   // 0: no limit
    bool unique = false;         // leave out copies of files counted before them
    std::string filesFrom;       // empty: walk; "-": standard input
    bool nulSeparated = false;
    std::string rev;     // empty: count the work tree
    std::string commit;  // the commit rev resolved to, once the plan has it
};

// Adds the options that leave files out to app, filling choices; without workTree, not those
// that read a work tree (--gitignore, --git), for a command that counts revisions only.
void DefineSelectionOptions(CLI::App& app, SelectionChoices& choices, bool workTree = true);
// Adds the options that name the files instead of a walk (--files-from, -0, --rev).
void DefineListOptions(CLI::App& app, SelectionChoices& choices);

// What is wrong with the choices beside the ROOTs given (none: an empty text).
[[nodiscard]] std::string CheckSelectionChoices(const SelectionChoices& choices, bool rootsGiven);

// "123", "64K", "5M", "2G", "1T" (powers of 1024, an optional "B" or "iB" after the
// letter) in bytes; none when text is not such a size above 0.
[[nodiscard]] std::optional<std::uint64_t> ParseSize(const std::string& text);

// How one ROOT is counted: walked, the files of a list (named as prefix + name), or the
// files of a git revision.
struct RootPlan
{
    std::string root;
    std::optional<std::vector<std::string>> listed;
    std::string prefix;
    std::unique_ptr<gitsel::IgnoreRules> ignore;  // with --gitignore
    std::unique_ptr<gitsel::Revision> revision;   // with --rev
    // Why the default ignore rules could not be read for this root (they are then not
    // applied), as one line; empty when they were or were not asked for.
    std::string ignoreWarning{};
    // With --rev, the indexes of the revision's files to count when not all of them (a diff
    // takes the others' rows from its other side).
    std::optional<std::vector<std::uint32_t>> revisionFiles{};
    bool tracked = false;    // listed from a repository's index
    bool linksOnce = false;  // see SelectionChoices
};

// The selection every root shares: the exclude patterns, the version-control folders, binary
// files and the size limit; false with error set when a pattern is not one.
[[nodiscard]] bool BuildSelection(const SelectionChoices& choices, scan::Selection& selection,
                                  std::string& error);

// The shared selection and a plan per root; false with error set to one line (a usage
// error: a ROOT outside a work tree, an unreadable list, an unknown revision, git support
// missing). Without
// subFolders, --git keeps only the tracked files directly in each ROOT, as the walk would.
[[nodiscard]] bool PlanSelection(const SelectionChoices& choices,
                                 const std::vector<std::string>& roots, bool subFolders,
                                 scan::Selection& selection, std::vector<RootPlan>& plans,
                                 std::string& error);

// The selection for one root: the shared one with the root's ignore rules.
[[nodiscard]] scan::Selection SelectionFor(const scan::Selection& shared, RootPlan& plan);

}  // namespace lintally::cli
