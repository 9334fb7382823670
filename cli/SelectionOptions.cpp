#include "cli/SelectionOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <limits>

#include "cli/FileList.h"
#include "cli/ListedOnce.h"
#include "fileio/JoinPath.h"
#include "fileio/MessageText.h"
#include "fileio/PathSeparator.h"
#include "gitsel/TrackedFiles.h"
#include "scan/GeneratedFile.h"

namespace lintally::cli {

namespace {

// The one plan of --rev: its ROOT's files at the revision.
bool PlanRevision(const std::string& rev, const std::vector<std::string>& roots, bool subFolders,
                  std::vector<RootPlan>& plans, std::string& error)
{
    if (roots.size() != 1) {
        error = "--rev counts one ROOT";
        return false;
    }
    RootPlan plan{roots.front(), std::nullopt, {}, nullptr, nullptr};
    if (gitsel::Revision::Open(plan.root, rev, subFolders, plan.revision, error) !=
        gitsel::GitStatus::Ok) {
        error = "--rev: " + Brim::EscapeControlBytes(error);
        return false;
    }
    plans.push_back(std::move(plan));
    return true;
}

// The ignore rules of the work tree that holds the plan's root, when it lies in one. A
// repository whose rules cannot be read is said, not guessed around: its root is counted
// without them.
void OpenDefaultIgnoreRules(RootPlan& plan)
{
    std::string error;
    const gitsel::GitStatus status = gitsel::IgnoreRules::Open(plan.root, plan.ignore, error);
    if (status == gitsel::GitStatus::Failed) {
        plan.ignore.reset();
        plan.ignoreWarning = "git's ignore rules for " + Brim::EscapeControlBytes(plan.root) +
                             " cannot be read (" + Brim::EscapeControlBytes(error) +
                             "); counting it without them";
    }
}

// A ROOT that names a file is counted as that one file, as named: no ignore rule or index
// is asked about it. False for a folder.
bool PlanNamedFile(RootPlan& plan)
{
    std::error_code failure;
    const std::filesystem::path path(plan.root);
    if (!std::filesystem::is_regular_file(path, failure)) {
        return false;
    }
    const std::string folder = path.parent_path().string();
    plan.root = folder.empty() ? "." : folder;
    plan.prefix = Brim::JoinPath(plan.root, {});
    plan.listed.emplace(1, path.filename().string());
    return true;
}

}  // namespace

void DefineSelectionOptions(CLI::App& app, SelectionChoices& choices, bool workTree)
{
    app.add_option(
           "--exclude", choices.excludes,
           "leave out files and folders (not entered) that match GLOB: *, ?, [...] within a "
           "name, ** across folders; matched against the name, or against the path under "
           "ROOT when it holds a '/'; a trailing '/' matches folders only; repeatable")
        ->option_text("GLOB")
        ->allow_extra_args(false);
    app.add_flag("--exclude-vcs", choices.excludeVcs,
                 "leave out the folders of version control: .git, .hg, .svn, CVS, .bzr");
    if (workTree) {
        app.add_flag("--gitignore", choices.gitignore,
                     "leave out what git would ignore (.gitignore files, .git/info/exclude, the "
                     "global excludes file) and the .git folder; each ROOT must lie in a git "
                     "work tree (the default does this where a ROOT lies in one, except with "
                     "--languages design)");
    }
    app.add_flag("--no-ignore")
        ->description(
            "count what git ignores and the folders of version control too (the "
            "default leaves them out)");
    if (workTree) {
        app.add_flag("--git", choices.git,
                     "count exactly the files git tracks under each ROOT (in the index, with "
                     "checked-out submodules); each ROOT must lie in a git work tree");
    }
    app.add_flag("--skip-binary", choices.skipBinary,
                 "leave out files with a NUL byte in their first 8 KiB (the default, except with "
                 "--languages design)");
    app.add_flag("--generated")
        ->description(
            "count generated files too: lock files (package-lock.json, yarn.lock, Cargo.lock, "
            "go.sum, ...), *.min.js and *.min.css, minified scripts and style sheets (over " +
            std::to_string(scan::kMinifiedLineLength) +
            " bytes a line), and files marked in their first " +
            std::to_string(scan::kGeneratedMarkerLines) +
            " lines (\"Code generated ... DO NOT EDIT.\", \"@generated\", \"automatically "
            "generated\", protoc, flex, Bison); the default leaves them out, except with "
            "--languages design");
    app.add_flag("--unique", choices.unique,
                 "leave out each file whose bytes equal those of a file before it in the rows' "
                 "order (by name), counted as duplicate; empty files are never duplicates");
    app.add_option_function<std::string>(
           "--max-size",
           [&choices](const std::string& text) { choices.maxSize = ParseSize(text).value_or(0); },
           "leave out files larger than SIZE bytes (suffix K, M, G or T: powers of 1024)")
        ->check(CLI::Validator(
            [](std::string& text) {
                return ParseSize(text) ? std::string()
                                       : "takes a size such as 500K or 5M, not " +
                                             Brim::EscapeControlBytes(text);
            },
            "", "size"))
        ->option_text("SIZE");
}

void DefineListOptions(CLI::App& app, SelectionChoices& choices)
{
    app.add_option(
           "--files-from", choices.filesFrom,
           "count exactly the files named in FILE, one per line ('-': standard input); rows "
           "keep the names as given, and a file named twice (a.c, ./a.c) counts once; takes no "
           "ROOT")
        ->option_text("FILE");
    app.add_flag("-0,--null", choices.nulSeparated,
                 "names in the --files-from list end with a NUL byte");
    app.add_option("--rev", choices.rev,
                   "count the files of git revision REV (a tag, a branch, HEAD~3, a hash) under "
                   "ROOT, read from the repository without checking anything out; one ROOT, in "
                   "a work tree or a bare repository; rows are named as in the work tree; "
                   "submodules count when checked out; not with --git, --gitignore or "
                   "--files-from")
        ->check(CLI::Validator(
            [](std::string& rev) {
                return rev.empty() ? std::string("takes the name of a revision, not an empty text")
                                   : "";
            },
            "", "revision"))
        ->option_text("REV");
}

std::optional<std::uint64_t> ParseSize(const std::string& text)
{
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        ++digits;
    }
    if (digits == 0 || digits > 19) {
        return std::nullopt;
    }
    std::string suffix = text.substr(digits);
    for (char& c : suffix) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    unsigned shift = 0;
    if (!suffix.empty() && suffix != "B") {
        const std::string letters = "KMGT";
        const std::size_t at = letters.find(suffix[0]);
        const std::string rest = suffix.substr(1);
        if (at == std::string::npos || !(rest.empty() || rest == "B" || rest == "IB")) {
            return std::nullopt;
        }
        shift = 10 * static_cast<unsigned>(at + 1);
    }
    const std::uint64_t number = std::stoull(text.substr(0, digits));
    if (number == 0 || number > (std::numeric_limits<std::uint64_t>::max() >> shift)) {
        return std::nullopt;
    }
    return number << shift;
}

std::string CheckSelectionChoices(const SelectionChoices& choices, bool rootsGiven)
{
    if (!choices.filesFrom.empty() && rootsGiven) {
        return "--files-from names the files itself and takes no ROOT";
    }
    if (!choices.filesFrom.empty() && choices.git) {
        return "--files-from and --git each choose the files; give one of them";
    }
    if (choices.nulSeparated && choices.filesFrom.empty()) {
        return "-0 only goes with --files-from";
    }
    if (!choices.rev.empty() && (choices.git || choices.gitignore || !choices.filesFrom.empty())) {
        return "--rev counts the files of a revision; it takes no --git, --gitignore or "
               "--files-from";
    }
    return {};
}

bool BuildSelection(const SelectionChoices& choices, scan::Selection& selection, std::string& error)
{
    for (const std::string& pattern : choices.excludes) {
        if (!selection.AddExclude(pattern, error)) {
            return false;
        }
    }
    if (choices.excludeVcs || choices.ignoreByDefault) {
        selection.AddVersionControlExcludes();
    }
    selection.skipBinary = choices.skipBinary;
    selection.skipGenerated = choices.skipGenerated;
    selection.maxSize = choices.maxSize;
    selection.unique = choices.unique;
    return true;
}

bool PlanSelection(const SelectionChoices& choices, const std::vector<std::string>& roots,
                   bool subFolders, scan::Selection& selection, std::vector<RootPlan>& plans,
                   std::string& error)
{
    if (!BuildSelection(choices, selection, error)) {
        return false;
    }
    plans.clear();
    if (!choices.filesFrom.empty()) {
        RootPlan plan{roots.front(), std::vector<std::string>{}, {}, nullptr, nullptr};
        if (!ReadFileList(choices.filesFrom, choices.nulSeparated, *plan.listed, error)) {
            return false;
        }
        KeepEachFileOnce(plan.prefix, *plan.listed);
        plans.push_back(std::move(plan));
        return true;
    }
    if (!choices.rev.empty()) {
        return PlanRevision(choices.rev, roots, subFolders, plans, error);
    }
    for (const std::string& root : roots) {
        RootPlan plan{root, std::nullopt, {}, nullptr, nullptr};
        if (PlanNamedFile(plan)) {
            plans.push_back(std::move(plan));
            continue;
        }
        if (choices.git) {
            plan.listed.emplace();
            plan.tracked = true;
            plan.prefix = Brim::JoinPath(root, {});
            if (gitsel::ListTrackedFiles(root, *plan.listed, error) != gitsel::GitStatus::Ok) {
                error = "--git: " + Brim::EscapeControlBytes(error);
                return false;
            }
            if (!subFolders) {
                std::erase_if(*plan.listed, [](const std::string& name) {
                    return std::any_of(name.begin(), name.end(), Brim::IsPathSeparator);
                });
            }
        }
        if (choices.gitignore &&
            gitsel::IgnoreRules::Open(root, plan.ignore, error) != gitsel::GitStatus::Ok) {
            error = "--gitignore: " + Brim::EscapeControlBytes(error);
            return false;
        }
        if (choices.ignoreByDefault) {
            OpenDefaultIgnoreRules(plan);
        }
        plan.linksOnce = choices.linksOnce && !choices.git;
        plans.push_back(std::move(plan));
    }
    return true;
}

scan::Selection SelectionFor(const scan::Selection& shared, RootPlan& plan)
{
    scan::Selection selection = shared;
    // A root that cannot be resolved cannot be walked either; the walk says so.
    if (plan.linksOnce) {
        (void)selection.SkipLinksUnder(plan.root);
    }
    if (plan.ignore) {
        gitsel::IgnoreRules* rules = plan.ignore.get();
        selection.SetIgnoreCheck(
            [rules](std::string_view relative, bool folder) {
                return rules->Ignores(relative, folder);
            },
            [rules](std::string_view relative, const std::vector<scan::DirEntry>& entries) {
                rules->FolderListed(
                    relative, std::any_of(entries.begin(), entries.end(), [](const auto& entry) {
                        return gitsel::IgnoreRules::IsIgnoreFileName(entry.name);
                    }));
            });
    }
    return selection;
}

}  // namespace lintally::cli
