#include "gitsel/History.h"

#include <unordered_map>
#include <unordered_set>

#include "gitsel/BlobReader.h"
#include "gitsel/GitObjects.h"
#include "gitsel/ObjectGuard.h"
#include "gitsel/RevisionLink.h"
#include "gitsel/RevisionResolve.h"
#include "scan/PatternList.h"

namespace lintally::gitsel {

namespace {

struct RevwalkFree
{
    void operator()(git_revwalk* walk) const { git_revwalk_free(walk); }
};

// More new files than this per counting thread are counted on the threads; fewer on the
// calling thread, whose reader stays open from commit to commit.
constexpr std::size_t kInlineFilesPerJob = 16;

// What libgit2 may keep of the objects it parsed while a history is counted.
constexpr std::size_t kObjectCacheBytes = std::size_t{8} << 20;

// A file's tally as a count keeps it: counted (a row, also when unreadable) or left out for
// what it holds.
struct FileTally
{
    bool counted = false;
    std::int32_t lang = 0;
    PrjHelper::LineBreakdown kinds;
};

// A folder's sums, as the groups and totals of the files under it.
struct FolderSums
{
    std::vector<scan::GroupRow> groups;  // in name order
    std::uint64_t files = 0;
    std::uint64_t total = 0;
    PrjHelper::LineBreakdown kinds;
};

std::string IdBytes(const git_oid& id)
{
    return std::string(reinterpret_cast<const char*>(id.id), GIT_OID_RAWSZ);
}

// A repository the history reads: ROOT's, or a submodule's found in the work tree.
struct Repository
{
    RepositoryPtr owned;  // null for ROOT's, which the state's work tree owns
    git_repository* handle = nullptr;
    std::string workdir;  // "" for a bare repository
};

}  // namespace

struct History::State final : scan::IContentSource
{
    std::unique_ptr<scan::IContentReader> NewReader() const override
    {
        return NewBlobReader(paths, pendingBlobs, pendingNames, unread);
    }

    WorkTree tree;
    const scan::CountRequest* shape = nullptr;
    std::vector<std::string> patterns;
    std::vector<HistoryCommit> commits;
    std::vector<Repository> repositories;
    std::vector<std::string> paths;  // each repository's folder, for the blob readers
    std::unordered_map<std::string, std::uint32_t> byWorkdir;  // submodules opened so far
    std::unordered_map<std::string, FileTally> blobs;          // by blob id, link flag, name
    std::unordered_map<std::string, FolderSums> folders;       // by repository, tree id, path
    // The files of the commit being counted that are new: their names, blobs and keys.
    std::vector<std::string> pendingNames;
    std::vector<Blob> pendingBlobs;
    std::vector<std::string> pendingKeys;
    std::unique_ptr<scan::IContentReader> inlineReader;
    std::size_t inlineReaderPaths = 0;  // the repositories the inline reader was made for
    HistoryWork work;
    mutable UnreadList unread;
};

namespace {

bool CountPending(History::State& state, const scan::StopToken& stop, scan::IScanSink& sink);

// One commit's walk over its folders, on a stack of its own. Collect gathers the files whose
// tally is not kept yet; Sum adds the tallies up into folder sums (counting there and then a
// file whose tally is not kept), keeping the sums of each folder that holds no link or
// submodule.
class CommitWalk
{
public:
    enum class Mode
    {
        Collect,
        Sum,
    };

    CommitWalk(History::State& state, Mode mode, const scan::StopToken& stop, scan::IScanSink& sink)
        : m_state(state), m_mode(mode), m_stop(stop), m_sink(sink)
    {}

    // Walks start (the tree of ROOT's folder in the commit whose tree is top); result gets the
    // sums and the skipped submodules in Sum mode, or stopped when a stop ended the walk.
    GitStatus Run(git_tree* top, TreePtr start, const std::string& prefix, scan::ScanResult& result,
                  std::string& error)
    {
        m_tops.clear();
        m_tops.push_back(Top{0, Dup(top)});
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
        std::string shown;   // its name under ROOT, ending in '/' ("" for ROOT)
        std::string inRepo;  // its path in its repository, ending in '/' ("" at the top)
        std::uint32_t repository = 0;
        std::uint32_t top = 0;  // index into m_tops of its repository's commit tree
        scan::GroupTable groups;
        FolderSums sums;
        bool keep = true;  // no link or submodule under it
    };

public:
    static TreePtr Dup(git_tree* tree)
    {
        git_object* copy = nullptr;
        (void)git_object_dup(&copy, reinterpret_cast<git_object*>(tree));
        return TreePtr(reinterpret_cast<git_tree*>(copy));
    }

private:
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
        if (m_mode == Mode::Sum) {
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
        if (m_mode == Mode::Sum) {
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
        const std::string shown = folder.shown + name + "/";
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
            if (m_mode == Mode::Collect && !m_queued.insert(key).second) {
                return;
            }
            m_state.pendingNames.push_back(shown);
            m_state.pendingBlobs.push_back(Blob{id, folder.repository, readable});
            m_state.pendingKeys.push_back(key);
            if (m_mode == Mode::Collect) {
                return;
            }
            if (!CountPending(m_state, m_stop, m_sink)) {
                m_stopped = true;
                return;
            }
            found = m_state.blobs.find(key);
        } else if (m_mode == Mode::Collect) {
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
            if (m_mode == Mode::Sum) {
                result.skipped.push_back(scan::SkippedFolder{
                    shown, "the submodule's repository does not hold commit " + Hex(id)});
            }
            return;
        }
        const ObjectPtr owned(reinterpret_cast<git_object*>(commit));
        git_tree* tree = nullptr;
        if (git_commit_tree(&tree, commit) != 0) {
            if (m_mode == Mode::Sum) {
                result.skipped.push_back(
                    scan::SkippedFolder{shown, "cannot read the submodule's commit " + Hex(id)});
            }
            return;
        }
        TreePtr top(tree);
        if (Cached(*repository, *git_tree_id(tree), shown + "/", folder.sums)) {
            return;
        }
        m_tops.push_back(Top{*repository, Dup(tree)});
        Push(std::move(top), shown + "/", "", *repository);
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
        if (m_mode == Mode::Collect) {
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
    Mode m_mode;
    const scan::StopToken& m_stop;
    scan::IScanSink& m_sink;
    bool m_stopped = false;
    std::unordered_set<std::string> m_queued;  // keys collected for this commit
    std::vector<Top> m_tops;                   // each repository's commit tree met in this walk
    std::vector<Folder> m_stack;               // declared last: its trees go before the tops
};

// The first-parent commits from start, newest first.
GitStatus FirstParents(git_repository* repository, const git_oid& start,
                       std::vector<HistoryCommit>& commits, std::string& error)
{
    git_revwalk* made = nullptr;
    if (git_revwalk_new(&made, repository) != 0) {
        error = "cannot walk the history: " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const std::unique_ptr<git_revwalk, RevwalkFree> walk(made);
    git_revwalk_simplify_first_parent(walk.get());
    if (git_revwalk_push(walk.get(), &start) != 0) {
        error = "cannot walk the history: " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    git_oid id;
    int code = 0;
    while ((code = git_revwalk_next(&id, walk.get())) == 0) {
        git_commit* commit = nullptr;
        if (git_commit_lookup(&commit, repository, &id) != 0) {
            error = "cannot read commit " + Hex(id) + ": " + LastGitError("unknown error");
            return GitStatus::Failed;
        }
        commits.push_back(
            HistoryCommit{Hex(id), git_commit_time(commit), git_commit_time_offset(commit)});
        git_commit_free(commit);
    }
    if (code != GIT_ITEROVER) {
        error = "cannot walk the history: " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    return GitStatus::Ok;
}

// The tree of ROOT's folder in the commit: null when the commit has no such folder.
GitStatus RootTree(git_repository* repository, git_tree* top, const std::string& prefix,
                   TreePtr& start, std::string& error)
{
    if (prefix.empty()) {
        git_object* copy = nullptr;
        (void)git_object_dup(&copy, reinterpret_cast<git_object*>(top));
        start.reset(reinterpret_cast<git_tree*>(copy));
        return GitStatus::Ok;
    }
    git_tree_entry* found = nullptr;
    if (git_tree_entry_bypath(&found, top, prefix.substr(0, prefix.size() - 1).c_str()) != 0) {
        return GitStatus::Ok;
    }
    const bool folder = git_tree_entry_type(found) == GIT_OBJECT_TREE;
    git_tree* tree = nullptr;
    const int code = folder ? git_tree_lookup(&tree, repository, git_tree_entry_id(found)) : 0;
    git_tree_entry_free(found);
    if (code != 0) {
        error = "cannot read the tree of " + prefix + ": " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    start.reset(tree);
    return GitStatus::Ok;
}

// Counts the files the walk found new, keeping each one's tally; false when a stop cut the
// count short (nothing of it is kept then).
bool CountPending(History::State& state, const scan::StopToken& stop, scan::IScanSink& sink)
{
    const scan::CountRequest& shape = *state.shape;
    const std::size_t count = state.pendingNames.size();
    std::vector<FileTally> tallies(count);
    if (shape.jobs > 1 && count > kInlineFilesPerJob * shape.jobs) {
        scan::CountRequest request;
        request.files = scan::FileSet{"", &state.pendingNames, &state, false, {}};
        request.settings = shape.settings;
        request.selection = shape.selection;
        request.jobs = shape.jobs;
        const scan::ScanResult result = scan::Count(request, stop, sink);
        if (result.stopped) {
            return false;
        }
        const scan::RowList& rows = result.rows;
        std::unordered_map<std::string_view, std::size_t> byName;
        for (std::size_t i = 0; i < count; ++i) {
            byName.emplace(state.pendingNames[i], i);
        }
        // Each row takes the name it was listed under.
        for (const scan::RowView row : rows) {
            if (const auto found = byName.find(row.name); found != byName.end()) {
                tallies[found->second] = FileTally{true, row.lang, row.kinds};
            }
        }
    } else {
        if (!state.inlineReader || state.inlineReaderPaths != state.paths.size()) {
            state.inlineReader = state.NewReader();
            state.inlineReaderPaths = state.paths.size();
        }
        const std::uint32_t flags = shape.settings.CountFlags();
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& name = state.pendingNames[i];
            const std::size_t slash = name.rfind('/');
            const scan::FileLines file = scan::TallyContent(
                slash == std::string::npos ? name : name.substr(slash + 1),
                [&state] { return state.inlineReader.get(); }, i, flags, &stop, shape.selection);
            if (stop.StopRequested()) {
                return false;
            }
            const bool counted =
                file.kept && (!file.skipped || *file.skipped == scan::SkipReason::Unreadable);
            tallies[i] = FileTally{counted, file.lang, file.kinds};
            if (counted) {
                sink.OnRowCounted(name, file.kinds.Counted(flags));
            }
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        state.blobs.emplace(std::move(state.pendingKeys[i]), tallies[i]);
    }
    state.work.blobsCounted += count;
    state.pendingNames.clear();
    state.pendingBlobs.clear();
    state.pendingKeys.clear();
    return true;
}

}  // namespace

History::History(std::unique_ptr<State> state) : m_state(std::move(state)) {}

History::~History() = default;

GitStatus History::Open(const std::string& root, const std::string& rev,
                        const scan::CountRequest& shape, std::unique_ptr<History>& history,
                        std::string& error)
{
    history.reset();
    auto state = std::make_unique<State>();
    GitStatus status = OpenRepository(root, state->tree, error);
    git_libgit2_opts(GIT_OPT_ENABLE_STRICT_HASH_VERIFICATION, 0);
    // The library keeps the objects it parsed (up to 256 MiB by default): each commit's new
    // trees would stay, and memory would grow with the commits. The sums kept by tree id
    // make that cache of little use here.
    git_libgit2_opts(GIT_OPT_SET_CACHE_MAX_SIZE, static_cast<ssize_t>(kObjectCacheBytes));
    if (status != GitStatus::Ok) {
        return status;
    }
    git_repository* repository = state->tree.repository.get();
    ObjectPtr commit;
    TreePtr top;
    status = Resolve(repository, rev, commit, top, error);
    if (status == GitStatus::Ok) {
        status = FirstParents(repository, *git_object_id(commit.get()), state->commits, error);
    }
    if (status != GitStatus::Ok) {
        return status;
    }
    state->shape = &shape;
    state->patterns = shape.settings.Patterns();
    state->repositories.push_back(Repository{{}, repository, state->tree.workdir});
    state->paths.push_back(git_repository_path(repository));
    history.reset(new History(std::move(state)));
    return GitStatus::Ok;
}

const std::vector<HistoryCommit>& History::Commits() const
{
    return m_state->commits;
}

GitStatus History::Count(std::size_t index, const scan::StopToken& stop, scan::IScanSink& sink,
                         scan::ScanResult& result, std::string& error)
{
    State& state = *m_state;
    result = scan::ScanResult();
    git_repository* repository = state.tree.repository.get();
    git_oid id;
    git_commit* commit = nullptr;
    git_tree* top = nullptr;
    if (git_oid_fromstr(&id, state.commits[index].id.c_str()) != 0 ||
        git_commit_lookup(&commit, repository, &id) != 0) {
        error =
            "cannot read commit " + state.commits[index].id + ": " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const ObjectPtr owned(reinterpret_cast<git_object*>(commit));
    if (git_commit_tree(&top, commit) != 0) {
        error = "cannot read the tree of commit " + state.commits[index].id + ": " +
                LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const TreePtr topTree(top);
    const std::string& prefix = state.tree.prefix;
    TreePtr start;
    if (const GitStatus status = RootTree(repository, top, prefix, start, error);
        status != GitStatus::Ok || !start) {
        return status;
    }
    state.pendingNames.clear();
    state.pendingBlobs.clear();
    state.pendingKeys.clear();
    // The first commit's files are gathered first and counted on the counting threads; later
    // commits count the few files they changed as the walk meets them.
    if (state.blobs.empty() && state.shape->jobs > 1) {
        scan::ScanResult collected;
        if (const GitStatus status =
                CommitWalk(state, CommitWalk::Mode::Collect, stop, sink)
                    .Run(top, CommitWalk::Dup(start.get()), prefix, collected, error);
            status != GitStatus::Ok) {
            return status;
        }
        if (!state.pendingNames.empty() && !CountPending(state, stop, sink)) {
            result.stopped = true;
            return GitStatus::Ok;
        }
    }
    return CommitWalk(state, CommitWalk::Mode::Sum, stop, sink)
        .Run(top, std::move(start), prefix, result, error);
}

const HistoryWork& History::Work() const
{
    return m_state->work;
}

std::vector<UnreadFile> History::Unread() const
{
    const std::lock_guard<std::mutex> hold(m_state->unread.lock);
    return m_state->unread.files;
}

}  // namespace lintally::gitsel
