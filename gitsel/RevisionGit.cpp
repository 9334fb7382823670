#include "gitsel/Revision.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "fileio/PathSeparator.h"
#include "gitsel/BlobReader.h"
#include "gitsel/GitObjects.h"
#include "gitsel/ObjectGuard.h"
#include "gitsel/RevisionLink.h"
#include "gitsel/RevisionResolve.h"

namespace lintally::gitsel {

struct Revision::State final : scan::IContentSource
{
    std::unique_ptr<scan::IContentReader> NewReader() const override
    {
        return NewBlobReader(repositories, blobs, files, unread);
    }

    WorkTree tree;  // the repository, open while the files are listed
    std::string name;
    std::string commit;
    std::vector<std::string> files;
    std::vector<Blob> blobs;                // one per file
    std::vector<std::string> repositories;  // each repository's folder; the first is ROOT's
    std::vector<scan::SkippedFolder> missing;
    std::unordered_map<std::string_view, std::size_t> byName;  // made by the first IndexOf
    mutable UnreadList unread;                                 // before the readers that add
    std::unique_ptr<scan::IContentReader> reader;              // ReadFile's
};

namespace {

// Lists a revision's files, folder by folder on a stack of its own (a deep tree costs no
// recursion), into state; a submodule's files through its repository.
class Lister
{
public:
    Lister(Revision::State& state, bool subFolders) : m_state(state), m_subFolders(subFolders) {}

    // Lists the files of the tree at prefix (a folder path ending in '/', "" for the top)
    // of the commit's tree.
    GitStatus Run(git_tree* top, const std::string& prefix, std::string& error)
    {
        git_repository* main = m_state.tree.repository.get();
        m_state.repositories.push_back(git_repository_path(main));
        git_object* copy = nullptr;
        if (git_object_dup(&copy, reinterpret_cast<git_object*>(top)) != 0) {
            return Fail("cannot read the revision's tree", error);
        }
        m_repositories.push_back(
            Repository{{}, main, TreePtr(reinterpret_cast<git_tree*>(copy)), m_state.tree.workdir});
        TreePtr start;
        if (prefix.empty()) {
            git_object_dup(&copy, reinterpret_cast<git_object*>(top));
            start.reset(reinterpret_cast<git_tree*>(copy));
        } else {
            git_tree_entry* found = nullptr;
            // A folder the revision does not have holds no files of it.
            if (git_tree_entry_bypath(&found, top, prefix.substr(0, prefix.size() - 1).c_str()) !=
                0) {
                return GitStatus::Ok;
            }
            const std::unique_ptr<git_tree_entry, TreeEntryFree> entry(found);
            if (git_tree_entry_type(entry.get()) != GIT_OBJECT_TREE) {
                return GitStatus::Ok;
            }
            git_tree* tree = nullptr;
            if (git_tree_lookup(&tree, main, git_tree_entry_id(entry.get())) != 0) {
                return Fail("cannot read the tree of " + prefix, error);
            }
            start.reset(tree);
        }
        m_stack.push_back(Folder{std::move(start), 0, {}, prefix, 0});
        return Walk(error);
    }

private:
    struct Repository
    {
        RepositoryPtr owned;  // null for ROOT's, which the state owns
        git_repository* handle;
        TreePtr top;
        std::string workdir;  // "" for a bare repository
    };

    struct Folder
    {
        TreePtr tree;
        std::size_t next;
        std::string shown;   // its name under ROOT, ending in the separator ("" for ROOT)
        std::string inRepo;  // its path in its repository, ending in '/' ("" at the top)
        std::uint32_t repository;
    };

    GitStatus Walk(std::string& error)
    {
        while (!m_stack.empty()) {
            Folder& folder = m_stack.back();
            if (folder.next == git_tree_entrycount(folder.tree.get())) {
                m_stack.pop_back();
                continue;
            }
            const git_tree_entry* entry = git_tree_entry_byindex(folder.tree.get(), folder.next++);
            const std::string name = git_tree_entry_name(entry);
            const std::string shown = folder.shown + name;
            const std::string inRepo = folder.inRepo + name;
            const std::uint32_t at = folder.repository;
            const git_oid id = *git_tree_entry_id(entry);
            switch (git_tree_entry_filemode(entry)) {
            case GIT_FILEMODE_BLOB:
            case GIT_FILEMODE_BLOB_EXECUTABLE:
                Add(shown, id, at, true);
                break;
            case GIT_FILEMODE_LINK: {
                const Repository& repository = m_repositories[at];
                const std::optional<git_oid> file =
                    FollowLink(repository.handle, repository.top.get(), inRepo, id);
                Add(shown, file.value_or(id), at, file.has_value());
                break;
            }
            case GIT_FILEMODE_TREE:
                if (m_subFolders && !EnterFolder(shown, inRepo, id, at, error)) {
                    return GitStatus::Failed;
                }
                break;
            case GIT_FILEMODE_COMMIT:
                if (m_subFolders) {
                    EnterSubmodule(shown, inRepo, id, at);
                }
                break;
            default:
                break;
            }
        }
        return GitStatus::Ok;
    }

    void Add(const std::string& shown, const git_oid& id, std::uint32_t repository, bool readable)
    {
        m_state.files.push_back(shown);
        m_state.blobs.push_back(Blob{id, repository, readable});
    }

    bool EnterFolder(const std::string& shown, const std::string& inRepo, const git_oid& id,
                     std::uint32_t repository, std::string& error)
    {
        git_tree* tree = nullptr;
        if (git_tree_lookup(&tree, m_repositories[repository].handle, &id) != 0) {
            Fail("cannot read the tree of " + shown, error);
            return false;
        }
        m_stack.push_back(
            Folder{TreePtr(tree), 0, shown + Brim::kPathSeparator, inRepo + "/", repository});
        return true;
    }

    // A submodule's files at the commit the revision records, when its repository is in
    // its folder of the work tree and holds that commit.
    void EnterSubmodule(const std::string& shown, const std::string& inRepo, const git_oid& id,
                        std::uint32_t parent)
    {
        if (m_repositories[parent].workdir.empty()) {
            return;
        }
        const std::string folder = m_repositories[parent].workdir + inRepo + "/";
        git_repository* opened = nullptr;
        if (git_repository_open(&opened, folder.c_str()) != 0) {
            return;
        }
        RepositoryPtr sub(opened);
        (void)GuardObjects(opened);
        git_object* commit = nullptr;
        git_tree* tree = nullptr;
        git_object* top = nullptr;
        if (git_object_lookup(&commit, sub.get(), &id, GIT_OBJECT_COMMIT) != 0) {
            m_state.missing.push_back(scan::SkippedFolder{
                shown, "the submodule's repository does not hold commit " + Hex(id)});
            return;
        }
        const ObjectPtr owned(commit);
        if (git_commit_tree(&tree, reinterpret_cast<git_commit*>(commit)) != 0 ||
            git_object_dup(&top, reinterpret_cast<git_object*>(tree)) != 0) {
            git_tree_free(tree);
            m_state.missing.push_back(
                scan::SkippedFolder{shown, "cannot read the submodule's commit " + Hex(id)});
            return;
        }
        const auto index = static_cast<std::uint32_t>(m_repositories.size());
        m_state.repositories.push_back(git_repository_path(sub.get()));
        const char* workdir = git_repository_workdir(sub.get());
        git_repository* handle = sub.get();
        m_repositories.push_back(Repository{std::move(sub), handle,
                                            TreePtr(reinterpret_cast<git_tree*>(top)),
                                            workdir != nullptr ? workdir : ""});
        m_stack.push_back(Folder{TreePtr(tree), 0, shown + Brim::kPathSeparator, {}, index});
    }

    GitStatus Fail(const std::string& what, std::string& error) const
    {
        const std::string damaged = DamagedPackNote(m_state.tree.repository.get());
        error = what + ": " + (damaged.empty() ? LastGitError("unknown error") : damaged);
        return GitStatus::Failed;
    }

    Revision::State& m_state;
    bool m_subFolders;
    std::vector<Repository> m_repositories;
    std::vector<Folder> m_stack;  // declared last: its trees go before their repositories
};

}  // namespace

Revision::Revision(std::unique_ptr<State> state) : m_state(std::move(state)) {}

Revision::~Revision() = default;

GitStatus Revision::Open(const std::string& root, const std::string& rev, bool subFolders,
                         std::unique_ptr<Revision>& revision, std::string& error)
{
    revision.reset();
    auto state = std::make_unique<State>();
    GitStatus status = OpenRepository(root, state->tree, error);
    // By default the library hashes every object it reads again to check it against its id:
    // a fifth of the time of a count. Checking out or printing a file, git does not; a damaged
    // object still fails zlib's check of its data.
    git_libgit2_opts(GIT_OPT_ENABLE_STRICT_HASH_VERIFICATION, 0);
    if (status != GitStatus::Ok) {
        return status;
    }
    ObjectPtr commit;
    TreePtr top;
    status = Resolve(state->tree.repository.get(), rev, commit, top, error);
    if (status != GitStatus::Ok) {
        return status;
    }
    state->name = rev;
    state->commit = Hex(*git_object_id(commit.get()));
    status = Lister(*state, subFolders).Run(top.get(), state->tree.prefix, error);
    if (status != GitStatus::Ok) {
        return status;
    }
    // The counting threads open repositories of their own; this one's cached trees go.
    top.reset();
    commit.reset();
    state->tree.repository.reset();
    revision.reset(new Revision(std::move(state)));
    return GitStatus::Ok;
}

const std::string& Revision::Name() const
{
    return m_state->name;
}

const std::string& Revision::Commit() const
{
    return m_state->commit;
}

bool Revision::Bare() const
{
    return m_state->tree.workdir.empty();
}

const std::vector<std::string>& Revision::Files() const
{
    return m_state->files;
}

const std::vector<scan::SkippedFolder>& Revision::Missing() const
{
    return m_state->missing;
}

const scan::IContentSource& Revision::Content() const
{
    return *m_state;
}

std::optional<std::size_t> Revision::IndexOf(std::string_view name)
{
    State& state = *m_state;
    if (state.byName.empty()) {
        state.byName.reserve(state.files.size());
        for (std::size_t i = 0; i < state.files.size(); ++i) {
            state.byName.emplace(state.files[i], i);
        }
    }
    const auto found = state.byName.find(name);
    return found == state.byName.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

bool Revision::SameBytes(std::size_t index, const Revision& other, std::size_t otherIndex) const
{
    const Blob& mine = m_state->blobs[index];
    const Blob& theirs = other.m_state->blobs[otherIndex];
    return mine.readable == theirs.readable && git_oid_equal(&mine.id, &theirs.id) != 0;
}

bool Revision::Holds(std::size_t index, std::string_view bytes) const
{
    const Blob& blob = m_state->blobs[index];
    git_oid id;
    return blob.readable && git_odb_hash(&id, bytes.data(), bytes.size(), GIT_OBJECT_BLOB) == 0 &&
           git_oid_equal(&id, &blob.id) != 0;
}

std::vector<bool> Revision::SameFilesAs(Revision& older) const
{
    std::vector<bool> same(m_state->files.size(), false);
    for (std::size_t i = 0; i < same.size(); ++i) {
        const std::optional<std::size_t> there = older.IndexOf(m_state->files[i]);
        same[i] = there && SameBytes(i, older, *there);
    }
    return same;
}

bool Revision::ReadFile(std::string_view name, std::string& bytes, std::string& error)
{
    bytes.clear();
    State& state = *m_state;
    const std::optional<std::size_t> index = IndexOf(name);
    if (!index) {
        error = std::string(name) + " is not a file of revision '" + state.name + "'";
        return false;
    }
    if (!state.reader) {
        state.reader = state.NewReader();
    }
    Brim::IStream* stream = nullptr;
    std::uint64_t size = 0;
    const std::string cannot =
        "cannot read " + std::string(name) + " at revision '" + state.name + "'";
    if (state.reader->Open(*index, 0, stream, size)) {
        error = cannot;
        return false;
    }
    bytes.resize(size);
    std::uint64_t got = 0;
    while (got < size) {
        const std::uint32_t read =
            stream->Read(bytes.data() + got,
                         static_cast<std::uint32_t>(std::min<std::uint64_t>(size - got, 1U << 30)));
        if (read == 0) {
            break;
        }
        got += read;
    }
    (void)stream->Read(bytes.data(), 0);
    if (got != size || state.reader->Failed()) {
        bytes.clear();
        error = cannot;
        return false;
    }
    return true;
}

std::vector<UnreadFile> Revision::Unread() const
{
    const std::lock_guard<std::mutex> hold(m_state->unread.lock);
    return m_state->unread.files;
}

}  // namespace lintally::gitsel
