#include "gitsel/Revision.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "fileio/MemoryStream.h"
#include "gitsel/ObjectGuard.h"
#include "gitsel/ObjectStream.h"
#include "gitsel/RevisionLink.h"
#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

namespace {

struct ObjectFree
{
    void operator()(git_object* object) const { git_object_free(object); }
};

struct TreeFree
{
    void operator()(git_tree* tree) const { git_tree_free(tree); }
};

struct TreeEntryFree
{
    void operator()(git_tree_entry* entry) const { git_tree_entry_free(entry); }
};

struct OdbFree
{
    void operator()(git_odb* odb) const { git_odb_free(odb); }
};

struct OdbObjectFree
{
    void operator()(git_odb_object* object) const { git_odb_object_free(object); }
};

using ObjectPtr = std::unique_ptr<git_object, ObjectFree>;
using TreePtr = std::unique_ptr<git_tree, TreeFree>;

// Where a listed file's bytes are: a blob of one of the revision's repositories.
struct Blob
{
    git_oid id;
    std::uint32_t repository;  // index into State::repositories
    bool readable;             // false: a link that leads to no file
};

std::string Hex(const git_oid& id)
{
    char text[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(text, sizeof text, &id);
    return text;
}

// Files the counting threads could not read, with why; any thread may add one.
struct UnreadList
{
    std::mutex lock;
    std::vector<UnreadFile> files;
};

// Blobs stored as deltas are rebuilt whole by libgit2: at most this many bytes. git stores
// larger files whole (its big-file threshold is 512 MiB), and those are streamed.
constexpr std::uint64_t kLargestDelta = std::uint64_t{512} << 20;

// One thread's reader: repositories of its own, each opened when first needed. A blob stored
// whole (loose, or whole in a pack) is streamed as it is counted; one stored as a delta is
// read whole through libgit2 and held until the next read.
class BlobReader final : public scan::IContentReader
{
public:
    BlobReader(const std::vector<std::string>& paths, const std::vector<Blob>& blobs,
               const std::vector<std::string>& files, UnreadList& unread)
        : m_paths(paths), m_blobs(blobs), m_files(files), m_unread(unread),
          m_repositories(paths.size()), m_odbs(paths.size()), m_packs(paths.size()),
          m_tried(paths.size(), false)
    {}

    ~BlobReader() override { NoteFailure(); }

    std::optional<scan::SkipReason> Open(std::size_t index, std::uint64_t sizeLimit,
                                         Brim::IStream*& stream, std::uint64_t& size) override
    {
        NoteFailure();
        m_object.reset();
        m_stream.reset();
        m_index = index;
        const Blob& blob = m_blobs[index];
        git_odb* odb = blob.readable ? Odb(blob.repository) : nullptr;
        if (odb == nullptr) {
            return scan::SkipReason::Unreadable;
        }
        m_stream.emplace();
        switch (m_stream->Open(ObjectsFolder(m_repositories[blob.repository].get()),
                               *m_packs[blob.repository], blob.id.id)) {
        case ObjectStream::Opened::Ok:
            if (m_stream->Type() != "blob") {
                return Refuse("object " + Hex(blob.id) + " is a " + m_stream->Type() +
                              ", not a file's bytes");
            }
            size = m_stream->Size();
            if (sizeLimit != 0 && size > sizeLimit) {
                return scan::SkipReason::TooLarge;
            }
            stream = &*m_stream;
            return std::nullopt;
        case ObjectStream::Opened::Damaged:
            return Refuse("object " + Hex(blob.id) + " is damaged: " + m_stream->Error());
        default:
            break;
        }
        m_stream.reset();
        return ReadWhole(odb, blob.id, sizeLimit, stream, size);
    }

    bool Failed() const override { return m_stream && m_stream->Failed(); }

private:
    // A blob libgit2 rebuilds (a delta, or an object of another repository it borrows from).
    std::optional<scan::SkipReason> ReadWhole(git_odb* odb, const git_oid& id,
                                              std::uint64_t sizeLimit, Brim::IStream*& stream,
                                              std::uint64_t& size)
    {
        std::size_t header = 0;
        git_object_t type = GIT_OBJECT_INVALID;
        if (git_odb_read_header(&header, &type, odb, &id) != 0) {
            return Refuse("object " + Hex(id) +
                          " cannot be read: " + LastGitError("unknown error"));
        }
        if (sizeLimit != 0 && header > sizeLimit) {
            return scan::SkipReason::TooLarge;
        }
        if (header > kLargestDelta) {
            return Refuse("object " + Hex(id) + " is stored as a delta of " +
                          std::to_string(header) + " bytes, more than is rebuilt in memory");
        }
        git_odb_object* read = nullptr;
        if (git_odb_read(&read, odb, &id) != 0) {
            return Refuse("object " + Hex(id) +
                          " cannot be read: " + LastGitError("unknown error"));
        }
        m_object.reset(read);
        size = git_odb_object_size(read);
        m_memory.emplace(std::string_view(static_cast<const char*>(git_odb_object_data(read)),
                                          git_odb_object_size(read)));
        stream = &*m_memory;
        return std::nullopt;
    }

    scan::SkipReason Refuse(std::string why)
    {
        m_stream.reset();
        const std::lock_guard<std::mutex> hold(m_unread.lock);
        m_unread.files.push_back(UnreadFile{m_files[m_index], std::move(why)});
        return scan::SkipReason::Unreadable;
    }

    // The stream given last failed part-way: its file could not be read.
    void NoteFailure()
    {
        if (Failed()) {
            (void)Refuse("object " + Hex(m_blobs[m_index].id) +
                         " is damaged: " + m_stream->Error());
        }
    }

    git_odb* Odb(std::uint32_t repository)
    {
        if (!m_tried[repository]) {
            m_tried[repository] = true;
            git_repository* opened = nullptr;
            git_odb* odb = nullptr;
            if (git_repository_open(&opened, m_paths[repository].c_str()) == 0) {
                m_repositories[repository].reset(opened);
                (void)GuardObjects(opened);
                m_packs[repository] = std::make_unique<PackIndex>(ObjectsFolder(opened));
                if (git_repository_odb(&odb, opened) == 0) {
                    m_odbs[repository].reset(odb);
                }
            }
        }
        return m_odbs[repository].get();
    }

    GitLibrary m_library;  // declared first: it outlives every object below
    const std::vector<std::string>& m_paths;
    const std::vector<Blob>& m_blobs;
    const std::vector<std::string>& m_files;
    UnreadList& m_unread;
    std::vector<RepositoryPtr> m_repositories;
    std::vector<std::unique_ptr<git_odb, OdbFree>> m_odbs;
    std::vector<std::unique_ptr<PackIndex>> m_packs;
    std::vector<bool> m_tried;
    std::size_t m_index = 0;
    std::optional<ObjectStream> m_stream;
    std::unique_ptr<git_odb_object, OdbObjectFree> m_object;
    std::optional<Brim::MemoryStream> m_memory;
};

}  // namespace

struct Revision::State final : scan::IContentSource
{
    std::unique_ptr<scan::IContentReader> NewReader() const override
    {
        return std::make_unique<BlobReader>(repositories, blobs, files, unread);
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

// The references a short name stands for, in the order git tries them; more than one makes
// the name ambiguous (git warns and takes the first; a count would silently pick one).
std::vector<std::string> RefsNamed(git_repository* repository, const std::string& rev)
{
    std::vector<std::string> found;
    for (const char* form : {"%s", "refs/%s", "refs/tags/%s", "refs/heads/%s", "refs/remotes/%s",
                             "refs/remotes/%s/HEAD"}) {
        std::string name = form;
        name.replace(name.find("%s"), 2, rev);
        git_reference* reference = nullptr;
        int valid = 0;
        if (git_reference_name_is_valid(&valid, name.c_str()) == 0 && valid != 0 &&
            git_reference_lookup(&reference, repository, name.c_str()) == 0) {
            git_reference_free(reference);
            found.push_back(std::move(name));
        }
    }
    return found;
}

// Why objects that should be there are not: a pack that no longer matches its index (libgit2
// then leaves the whole pack out); "" when every pack is whole.
std::string DamagedPackNote(git_repository* repository)
{
    const std::vector<std::string> packs = DamagedPacks(ObjectsFolder(repository));
    return packs.empty() ? std::string()
                         : "the pack " + packs.front() +
                               " is damaged (cut short or changed: it no longer ends as its "
                               "index says), so none of its objects can be read";
}

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
        std::string shown;   // its name under ROOT, ending in '/' ("" for ROOT)
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
        m_stack.push_back(Folder{TreePtr(tree), 0, shown + "/", inRepo + "/", repository});
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
        m_stack.push_back(Folder{TreePtr(tree), 0, shown + "/", {}, index});
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

// Opens the repository that holds root: a work tree's, or a bare one at root itself.
GitStatus OpenRepository(const std::string& root, WorkTree& tree, std::string& error)
{
    const GitStatus status = OpenWorkTree(root, tree, error);
    if (status != GitStatus::NotAWorkTree) {
        return status;
    }
    git_repository* bare = nullptr;
    if (git_repository_open_bare(&bare, root.c_str()) != 0) {
        error = root + " is not in a git repository";
        return GitStatus::NotAWorkTree;
    }
    tree.repository.reset(bare);
    (void)GuardObjects(bare);
    tree.workdir.clear();
    tree.prefix.clear();
    return GitStatus::Ok;
}

// The commit rev names, and its tree.
GitStatus Resolve(git_repository* repository, const std::string& rev, ObjectPtr& commit,
                  TreePtr& tree, std::string& error)
{
    if (const std::vector<std::string> names = RefsNamed(repository, rev); names.size() > 1) {
        error = "revision '" + rev + "' is ambiguous: it names " + names[0] + " and " + names[1] +
                "; give the full name of the one to count";
        return GitStatus::Failed;
    }
    git_object* found = nullptr;
    const int code = git_revparse_single(&found, repository, rev.c_str());
    if (code == GIT_ENOTFOUND || code == GIT_EINVALIDSPEC) {
        const std::string damaged = DamagedPackNote(repository);
        error = damaged.empty() ? "unknown revision '" + rev + "'"
                                : "cannot read revision '" + rev + "': " + damaged;
        return GitStatus::Failed;
    }
    if (code != 0) {
        error = "cannot resolve revision '" + rev + "': " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const ObjectPtr object(found);
    git_object* peeled = nullptr;
    if (git_object_peel(&peeled, object.get(), GIT_OBJECT_COMMIT) != 0) {
        error = "revision '" + rev + "' names no commit";
        return GitStatus::Failed;
    }
    commit.reset(peeled);
    git_tree* top = nullptr;
    if (git_commit_tree(&top, reinterpret_cast<git_commit*>(peeled)) != 0) {
        error = "cannot read the tree of revision '" + rev + "': " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    tree.reset(top);
    return GitStatus::Ok;
}

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
