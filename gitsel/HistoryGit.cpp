#include "gitsel/History.h"

#include "fileio/PathSeparator.h"
#include "gitsel/HistoryWalk.h"
#include "gitsel/RevisionResolve.h"

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

}  // namespace

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
            const std::size_t slash = name.rfind(Brim::kPathSeparator);
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
        if (const GitStatus status = WalkCommit(state, WalkMode::Collect, stop, sink, top,
                                                DupTree(start.get()), prefix, collected, error);
            status != GitStatus::Ok) {
            return status;
        }
        if (!state.pendingNames.empty() && !CountPending(state, stop, sink)) {
            result.stopped = true;
            return GitStatus::Ok;
        }
    }
    return WalkCommit(state, WalkMode::Sum, stop, sink, top, std::move(start), prefix, result,
                      error);
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
