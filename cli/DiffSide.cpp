#include "cli/DiffSide.h"

#include <filesystem>
#include <system_error>

#include "cli/CountRoots.h"
#include "cli/SavedCount.h"
#include "fileio/MessageText.h"
#include "results/JsonCsv.h"

namespace lintally::cli {

namespace {

bool LoadJson(const CliOptions& options, const std::string& path, DiffSide& side,
              std::string& error)
{
    results::CountJson count;
    if (!ReadSavedCount(path, &options.settings, "diff",
                        "give diff the options both sides were counted with", count, error)) {
        return false;
    }
    const std::string shown = Brim::EscapeControlBytes(path);
    results::PutInListOrder(count.rows);
    if (const std::string twice = results::RepeatedName(count.rows); !twice.empty()) {
        error = shown + " lists the file " + Brim::EscapeControlBytes(twice) +
                " twice; a count names each file once";
        return false;
    }
    side.root = count.root;
    side.files.rows = std::move(count.rows);
    side.files.languages = std::move(count.languages);
    side.inexactNames = std::move(count.inexactNames);
    side.skipped = std::move(count.skipped);
    return true;
}

// The indexes of the files of revision that are not alike in earlier, and whether each file
// is alike there.
std::vector<std::uint32_t> FilesToCount(gitsel::Revision& revision, gitsel::Revision& earlier,
                                        std::vector<bool>& alike)
{
    alike = revision.SameFilesAs(earlier);
    std::vector<std::uint32_t> files;
    for (std::size_t i = 0; i < alike.size(); ++i) {
        if (!alike[i]) {
            files.push_back(static_cast<std::uint32_t>(i));
        }
    }
    return files;
}

// Counts a folder, or with rev the revision's files in it: the revision has every file
// tracked, so --git and --gitignore have nothing to choose there. A revision after one
// counted before counts only the files whose bytes differ there, and takes the rows of the
// others from it: one name and the same bytes count alike with the same options.
bool LoadCounted(const CliOptions& options, const SideRequest& request, const DiffSide* earlier,
                 DiffSide& side, std::string& error)
{
    CliOptions one = options;
    one.roots = {request.path};
    one.by.perFile = true;
    if (!request.rev.empty()) {
        one.select.rev = request.rev;
        one.select.git = false;
        one.select.gitignore = false;
        one.select.ignoreByDefault = false;
    }
    scan::Selection selection;
    std::vector<RootPlan> plans;
    if (!PlanSelection(one.select, one.roots, one.settings.includeSubFolders, selection, plans,
                       error)) {
        // The plan speaks of the count's --rev.
        if (const std::string said = "--rev"; error.rfind(said, 0) == 0) {
            error.replace(0, said.size(), request.option);
        }
        return false;
    }
    RootPlan& plan = plans.front();
    std::vector<bool> alike;
    const bool reuse = plan.revision && earlier != nullptr && earlier->revision;
    if (reuse) {
        plan.revisionFiles = FilesToCount(*plan.revision, *earlier->revision, alike);
    }
    scan::ScanResult result = CountRoots(one, selection, plans);
    side.files.rows = std::move(result.rows);
    side.skipped = std::move(result.skipped);
    if (request.rev.empty()) {
        return true;
    }
    side.revision = std::move(plan.revision);
    side.rev = request.rev;
    side.commit = side.revision->Commit();
    if (reuse) {
        for (const scan::RowView row : earlier->files.rows) {
            const std::optional<std::size_t> index = side.revision->IndexOf(row.name);
            if (index && alike[*index]) {
                side.files.rows.Add(row.name, row.lines, row.kinds, row.lang);
            }
        }
    }
    return true;
}

}  // namespace

bool SideKindOf(const std::string& argument, SideKind& kind, std::string& error)
{
    std::error_code failure;
    const std::filesystem::path path(argument);
    if (std::filesystem::is_directory(path, failure)) {
        kind = SideKind::Folder;
        return true;
    }
    if (std::filesystem::is_regular_file(path, failure)) {
        kind = SideKind::Json;
        return true;
    }
    error = Brim::EscapeControlBytes(argument) + " is neither a folder nor a saved count";
    return false;
}

bool LoadSide(const CliOptions& options, const SideRequest& request, const DiffSide* earlier,
              DiffSide& side, std::string& error)
{
    side.path = request.path;
    if (!request.rev.empty()) {
        side.kind = SideKind::Revision;
    } else if (!SideKindOf(request.path, side.kind, error)) {
        return false;
    }
    const bool loaded = side.kind == SideKind::Json
                            ? LoadJson(options, request.path, side, error)
                            : LoadCounted(options, request, earlier, side, error);
    if (loaded) {
        results::PutInListOrder(side.files.rows);
    }
    return loaded;
}

results::DiffSideLabel DiffSide::Label() const
{
    return {kind, path, root, rev, commit};
}

bool DiffSide::SameContent(std::string_view name, const DiffSide& other,
                           std::string_view otherName) const
{
    if (!revision || !other.revision) {
        return false;
    }
    const std::optional<std::size_t> mine = revision->IndexOf(name);
    const std::optional<std::size_t> theirs = other.revision->IndexOf(otherName);
    return mine && theirs && revision->SameBytes(*mine, *other.revision, *theirs);
}

std::optional<std::size_t> DiffSide::FileIndex(std::string_view name) const
{
    if (!revision) {
        return std::nullopt;
    }
    const std::lock_guard<std::mutex> hold(revisionLock);
    return revision->IndexOf(name);
}

bool DiffSide::Holds(std::string_view name, std::string_view bytes) const
{
    const std::optional<std::size_t> index = FileIndex(name);
    return index && revision->Holds(*index, bytes);
}

}  // namespace lintally::cli
