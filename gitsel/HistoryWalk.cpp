#include "gitsel/HistoryWalk.h"

#include <unordered_set>

#include "fileio/PathSeparator.h"
#include "gitsel/ObjectGuard.h"
#include "gitsel/RevisionLink.h"
#include "gitsel/RevisionResolve.h"
#include "scan/PatternList.h"

namespace lintally::gitsel {

namespace {

std::string IdBytes(const git_oid& id)
{
    return std::string(reinterpret_cast<const char*>(id.id), GIT_OID_RAWSZ);
}

// One commit's walk over its folders, on a stack of its own. Collect gathers the files whose
// tally is not kept yet; Sum adds the tallies up into folder sums (counting there and then a
// file whose tally is not kept), keeping the sums of each folder that holds no link or
// submodule.
class CommitWalker
{
public:
    CommitWalker(History::State& state, WalkMode mode, const scan::StopToken& stop,
                 scan::IScanSink& sink)
        : m_state(state), m_mode(mode), m_stop(stop), m_sink(sink)
    {}

    // Walks start (the tree of ROOT's folder in the commit whose tree is top); result gets the
    // sums and the skipped submodules in Sum mode, or stopped when a stop ended the walk.
    GitStatus Run(git_tree* top, TreePtr start, const std::string& prefix, scan::ScanResult& result,
                  std::string& error)
    {
        m_tops.clear();
        m_tops.push_back(Top{0, DupTree(top)});
        FolderSums whole;
        if (!Cached(0, *git_tree_id(start.get()), "", whole)) {
            Push(std::move(start), "", prefix, 0);
            if (!Walk(whole, result, error)) {
                return GitStatus::Failed;
            }
            if (m_stopped) {
                result.stopped = true;
                return GitStatus::Ok;
            }
        }
        result.groups = std::move(whole.groups);
        result.files = whole.files;
        result.total = whole.total;
        result.kinds = whole.kinds;
        return GitStatus::Ok;
    }

private:
    struct Top
    {
        std::uint32_t repository;
        TreePtr tree;
    };

    struct Folder
    {
        TreePtr tree;
        std::size_t next = 0;
        std::string shown;   // its name under ROOT, ending in the separator ("" for ROOT)
        std::string inRepo;  // its path in its repository, ending in '/' ("" at the top)
        std::uint32_t repository = 0;
        std::uint32_t top = 0;  // index into m_tops of its repository's commit tree
        scan::GroupTable groups;
        FolderSums sums;
        bool keep = true;  // no link or submodule under it
    };

    static std::string FolderKey(std::uint32_t repository, const git_oid& id,
                                 const std::string& shown)
    {
        return std::string(reinterpret_cast<const char*>(&repository), sizeof repository) +
               IdBytes(id) + shown;
    }

    // True when the folder's sums are kept (in Sum mode they are added to into).
    bool Cached(std::uint32_t repository, const git_oid& id, const std::string& shown,
                FolderSums& into)
    {
        const auto found = m_state.folders.find(FolderKey(repository, id, shown));
        if (found == m_state.folders.end()) {
            return false;
        }
        if (m_mode == WalkMode::Sum) {
            AddSums(into, found->second);
        }
        return true;
    }

    static void AddSums(FolderSums& into, const FolderSums& part)
    {
        scan::GroupTable table;
        table.Add(std::move(into.groups));
        table.Add(part.groups);
        into.groups = table.Take();
        into.files += part.files;
        into.total += part.total;
        into.kinds += part.kinds;
    }

    void Push(TreePtr tree, const std::string& shown, const std::string& inRepo,
              std::uint32_t repository)
    {
        Folder folder;
        folder.tree = std::move(tree);
        folder.shown = shown;
        folder.inRepo = inRepo;
        folder.repository = repository;
        folder.top = static_cast<std::uint32_t>(m_tops.size() - 1);
        for (std::size_t i = m_tops.size(); i-- > 0;) {
            if (m_tops[i].repository == repository) {
                folder.top = static_cast<std::uint32_t>(i);
                break;
            }
        }
        m_stack.push_back(std::move(folder));
        if (m_mode == WalkMode::Sum) {
            ++m_state.work.treesWalked;
        }
    }

    bool Walk(FolderSums& whole, scan::ScanResult& result, std::string& error)
    {
        while (!m_stack.empty() && !m_stopped) {
            Folder& folder = m_stack.back();
            if (folder.next == git_tree_entrycount(folder.tree.get())) {
                Finish(whole);
                continue;
            }
            const git_tree_entry* entry = git_tree_entry_byindex(folder.tree.get(), folder.next++);
            const std::string name = git_tree_entry_name(entry);
            const git_oid id = *git_tree_entry_id(entry);
            switch (git_tree_entry_filemode(entry)) {
            case GIT_FILEMODE_BLOB:
            case GIT_FILEMODE_BLOB_EXECUTABLE:
                File(folder, name, id, true);
                break;
            case GIT_FILEMODE_LINK: {
                folder.keep = false;
                const std::optional<git_oid> file =
                    FollowLink(m_state.repositories[folder.repository].handle,
                               m_tops[folder.top].tree.get(), folder.inRepo + name, id);
                File(folder, name, file.value_or(id), file.has_value());
                break;
            }
            case GIT_FILEMODE_TREE:
                if (m_state.shape->settings.includeSubFolders &&
                    !SubFolder(folder, name, id, error)) {
                    return false;
                }
                break;
            case GIT_FILEMODE_COMMIT:
                if (m_state.shape->settings.includeSubFolders) {
                    folder.keep = false;
                    Submodule(folder, name, id, result);
                }
                break;
            default:
                break;
            }
        }
        return true;
    }

    // A folder the selection leaves out is not entered, as the files under it would each be
    // left out.
    bool LeftOut(const Folder& folder, const std::string& name) const
    {
        const scan::Selection* selection = m_state.shape->selection;
        return selection != nullptr && selection->Leaves(name, folder.shown + name, true);
    }

    bool SubFolder(Folder& folder, const std::string& name, const git_oid& id, std::string& error)
    {
        const std::string shown = folder.shown + name + Brim::kPathSeparator;
        if (LeftOut(folder, name) || Cached(folder.repository, id, shown, folder.sums)) {
            return true;
        }
        git_tree* tree = nullptr;
        if (git_tree_lookup(&tree, m_state.repositories[folder.repository].handle, &id) != 0) {
            const std::string damaged = DamagedPackNote(m_state.tree.repository.get());
            error = "cannot read the tree of " + folder.shown + name + ": " +
                    (damaged.empty() ? LastGitError("unknown error") : damaged);
            return false;
        }
        Push(TreePtr(tree), shown, folder.inRepo + name + "/", folder.repository);
        return true;
    }

    void File(Folder& folder, const std::string& name, const git_oid& id, bool readable)
    {
        if (!scan::MatchPattern(m_state.patterns, scan::NameSuffix(name))) {
            return;
        }
        const std::string shown = folder.shown + name;
        const scan::Selection* selection = m_state.shape->selection;
        if (selection != nullptr && selection->Leaves(name, shown, false)) {
            return;
        }
        std::string key = IdBytes(id) + (readable ? '1' : '0') + name;
        auto found = m_state.blobs.find(key);
        if (found == m_state.blobs.end()) {
            if (m_mode == WalkMode::Collect && !m_queued.insert(key).second) {
                return;
            }
            m_state.pendingNames.push_back(shown);
            m_state.pendingBlobs.push_back(Blob{id, folder.repository, readable});
            m_state.pendingKeys.push_back(key);
            if (m_mode == WalkMode::Collect) {
                return;
            }
            if (!CountPending(m_state, m_stop, m_sink)) {
                m_stopped = true;
                return;
            }
            found = m_state.blobs.find(key);
        } else if (m_mode == WalkMode::Collect) {
            return;
        }
        const FileTally& file = found->second;
        if (!file.counted) {
            return;
        }
        const std::uint64_t lines = file.kinds.Counted(m_state.shape->settings.CountFlags());
        ++folder.sums.files;
        folder.sums.total += lines;
        folder.sums.kinds += file.kinds;
        folder.groups.Add(scan::GroupRow{
            scan::GroupName(*m_state.shape->grouping, shown, file.lang), 1, lines, file.kinds});
    }

    // A submodule's files at the commit the folder records, when its repository is in its
    // folder of the work tree; one whose repository lacks that commit is a skipped folder.
    void Submodule(Folder& folder, const std::string& name, const git_oid& id,
                   scan::ScanResult& result)
    {
        const std::string& parentWorkdir = m_state.repositories[folder.repository].workdir;
        if (parentWorkdir.empty()) {
            return;
        }
        const std::string shown = folder.shown + name;
        if (LeftOut(folder, name)) {
            return;
        }
        const std::optional<std::uint32_t> repository =
            OpenSubmodule(parentWorkdir + folder.inRepo + name + "/");
        if (!repository) {
            return;
        }
        git_repository* handle = m_state.repositories[*repository].handle;
        git_commit* commit = nullptr;
        if (git_commit_lookup(&commit, handle, &id) != 0) {
            if (m_mode == WalkMode::Sum) {
                result.skipped.push_back(scan::SkippedFolder{
                    shown, "the submodule's repository does not hold commit " + Hex(id)});
            }
            return;
        }
        const ObjectPtr owned(reinterpret_cast<git_object*>(commit));
        git_tree* tree = nullptr;
        if (git_commit_tree(&tree, commit) != 0) {
            if (m_mode == WalkMode::Sum) {
                result.skipped.push_back(
                    scan::SkippedFolder{shown, "cannot read the submodule's commit " + Hex(id)});
            }
            return;
        }
        TreePtr top(tree);
        if (Cached(*repository, *git_tree_id(tree), shown + Brim::kPathSeparator, folder.sums)) {
            return;
        }
        m_tops.push_back(Top{*repository, DupTree(tree)});
        Push(std::move(top), shown + Brim::kPathSeparator, "", *repository);
    }

    std::optional<std::uint32_t> OpenSubmodule(const std::string& workdir)
    {
        if (const auto found = m_state.byWorkdir.find(workdir); found != m_state.byWorkdir.end()) {
            return found->second;
        }
        git_repository* opened = nullptr;
        if (git_repository_open(&opened, workdir.c_str()) != 0) {
            return std::nullopt;
        }
        RepositoryPtr sub(opened);
        (void)GuardObjects(opened);
        const auto index = static_cast<std::uint32_t>(m_state.repositories.size());
        const char* subWorkdir = git_repository_workdir(opened);
        m_state.paths.push_back(git_repository_path(opened));
        m_state.repositories.push_back(
            Repository{std::move(sub), opened, subWorkdir != nullptr ? subWorkdir : ""});
        m_state.byWorkdir.emplace(workdir, index);
        return index;
    }

    // The folder on top of the stack is done: its sums go to its parent (or whole), and are
    // kept when nothing under it can change while its tree stays the same.
    void Finish(FolderSums& whole)
    {
        Folder done = std::move(m_stack.back());
        m_stack.pop_back();
        if (m_mode == WalkMode::Collect) {
            return;
        }
        FolderSums sums = std::move(done.sums);
        scan::GroupTable table;
        table.Add(std::move(sums.groups));
        table.Add(done.groups.Take());
        sums.groups = table.Take();
        FolderSums& parent = m_stack.empty() ? whole : m_stack.back().sums;
        AddSums(parent, sums);
        if (!m_stack.empty()) {
            m_stack.back().keep = m_stack.back().keep && done.keep;
        }
        if (done.keep) {
            m_state.folders.emplace(
                FolderKey(done.repository, *git_tree_id(done.tree.get()), done.shown),
                std::move(sums));
        }
    }

    History::State& m_state;
    WalkMode m_mode;
    const scan::StopToken& m_stop;
    scan::IScanSink& m_sink;
    bool m_stopped = false;
    std::unordered_set<std::string> m_queued;  // keys collected for this commit
    std::vector<Top> m_tops;                   // each repository's commit tree met in this walk
    std::vector<Folder> m_stack;               // declared last: its trees go before the tops
};

}  // namespace

GitStatus WalkCommit(History::State& state, WalkMode mode, const scan::StopToken& stop,
                     scan::IScanSink& sink, git_tree* top, TreePtr start, const std::string& prefix,
                     scan::ScanResult& result, std::string& error)
{
    return CommitWalker(state, mode, stop, sink).Run(top, std::move(start), prefix, result, error);
}

TreePtr DupTree(git_tree* tree)
{
    git_object* copy = nullptr;
    (void)git_object_dup(&copy, reinterpret_cast<git_object*>(tree));
    return TreePtr(reinterpret_cast<git_tree*>(copy));
}

}  // namespace lintally::gitsel
