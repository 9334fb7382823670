#include <git2.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/support/GitCommand.h"

namespace lintally::testing {

namespace {

// Owns one libgit2 object; Out() lets a call store a new one straight into it, so a chain of
// calls may use it at once.
template <typename T, auto Free>
class Owned
{
public:
    Owned() = default;
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    T* get() const { return m_object; }
    T** Out()
    {
        reset();
        return &m_object;
    }
    void reset()
    {
        if (m_object != nullptr) {
            Free(m_object);
            m_object = nullptr;
        }
    }

private:
    T* m_object = nullptr;
};

// The words of a command as the shell splits the tests' commands: at spaces, with single
// quotes around a word that holds spaces. -q is dropped from every flag: nothing here
// speaks.
std::vector<std::string> Words(const std::string& args)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool started = false;
    for (const char c : args + ' ') {
        if (c == '\'') {
            quoted = !quoted;
            started = true;
        } else if (c == ' ' && !quoted) {
            if (started && word.size() > 1 && word[0] == '-' && word[1] != '-') {
                std::erase(word, 'q');
                started = word != "-";
            }
            if (started) {
                words.push_back(word);
            }
            word.clear();
            started = false;
        } else {
            word += c;
            started = true;
        }
    }
    return words;
}

// One command on one repository; each step says whether it went well, and the first failure
// is kept in error with libgit2's words.
class InProcessGit
{
public:
    explicit InProcessGit(std::string folder) : m_folder(std::move(folder)) { git_libgit2_init(); }
    ~InProcessGit()
    {
        m_repo.reset();
        git_libgit2_shutdown();
    }
    InProcessGit(const InProcessGit&) = delete;
    InProcessGit& operator=(const InProcessGit&) = delete;

    bool Run(const std::vector<std::string>& w, std::string& out);
    std::string error;

private:
    bool Ok(int code, const std::string& what)
    {
        if (code < 0 && error.empty()) {
            const git_error* last = git_error_last();
            error = what + ": " + (last != nullptr ? last->message : "failed");
        }
        return code >= 0;
    }
    bool Open() { return Ok(git_repository_open(m_repo.Out(), m_folder.c_str()), "open"); }
    bool Init(const std::string& head);
    bool Index(Owned<git_index, git_index_free>& index)
    {
        return Ok(git_repository_index(index.Out(), m_repo.get()), "index");
    }
    bool Commit(const std::string& rev, Owned<git_commit, git_commit_free>& commit);
    bool AddAll(bool newFiles);
    bool MakeCommit(const std::string& message, const git_oid& tree,
                    const std::vector<const git_commit*>& parents);
    bool CommitIndex(const std::string& message);
    bool Checkout(const std::string& name);
    bool Merge(const std::string& message, const std::string& branch);
    bool Move(const std::string& from, const std::string& to);
    bool Remove(const std::string& path);
    bool AddWorkTree(const std::string& path, const std::string& tag);

    std::string m_folder;
    Owned<git_repository, git_repository_free> m_repo;
};

bool InProcessGit::Init(const std::string& head)
{
    git_repository_init_options options = GIT_REPOSITORY_INIT_OPTIONS_INIT;
    options.flags = GIT_REPOSITORY_INIT_MKPATH;
    options.initial_head = head.empty() ? nullptr : head.c_str();
    return Ok(git_repository_init_ext(m_repo.Out(), m_folder.c_str(), &options), "init");
}

bool InProcessGit::Commit(const std::string& rev, Owned<git_commit, git_commit_free>& commit)
{
    Owned<git_object, git_object_free> object;
    Owned<git_object, git_object_free> peeled;
    return Ok(git_revparse_single(object.Out(), m_repo.get(), rev.c_str()), rev) &&
           Ok(git_object_peel(peeled.Out(), object.get(), GIT_OBJECT_COMMIT), rev) &&
           Ok(git_commit_lookup(commit.Out(), m_repo.get(), git_object_id(peeled.get())), rev);
}

// add -A (newFiles) or commit -a: the index takes the work tree's tracked files as they are.
bool InProcessGit::AddAll(bool newFiles)
{
    Owned<git_index, git_index_free> index;
    return Index(index) &&
           (!newFiles ||
            Ok(git_index_add_all(index.get(), nullptr, GIT_INDEX_ADD_DEFAULT, nullptr, nullptr),
               "add")) &&
           Ok(git_index_update_all(index.get(), nullptr, nullptr, nullptr), "add") &&
           Ok(git_index_write(index.get()), "add");
}

bool InProcessGit::MakeCommit(const std::string& message, const git_oid& treeId,
                              const std::vector<const git_commit*>& parents)
{
    Owned<git_signature, git_signature_free> who;
    Owned<git_tree, git_tree_free> tree;
    git_oid id;
    return Ok(git_signature_now(who.Out(), "t", "t@t"), "commit") &&
           Ok(git_tree_lookup(tree.Out(), m_repo.get(), &treeId), "commit") &&
           Ok(git_commit_create(&id, m_repo.get(), "HEAD", who.get(), who.get(), nullptr,
                                (message + "\n").c_str(), tree.get(), parents.size(),
                                const_cast<const git_commit**>(parents.data())),
              "commit");
}

bool InProcessGit::CommitIndex(const std::string& message)
{
    Owned<git_index, git_index_free> index;
    git_oid tree;
    if (!Index(index) || !Ok(git_index_write_tree(&tree, index.get()), "commit")) {
        return false;
    }
    Owned<git_commit, git_commit_free> head;
    std::vector<const git_commit*> parents;
    if (git_repository_head_unborn(m_repo.get()) == 0) {
        if (!Commit("HEAD", head)) {
            return false;
        }
        parents.push_back(head.get());
    }
    return MakeCommit(message, tree, parents);
}

bool InProcessGit::Checkout(const std::string& name)
{
    std::string branch = "refs/heads/" + name;
    if (name == "-") {
        Owned<git_object, git_object_free> object;
        Owned<git_reference, git_reference_free> reference;
        if (!Ok(git_revparse_ext(object.Out(), reference.Out(), m_repo.get(), "@{-1}"),
                "checkout -") ||
            reference.get() == nullptr) {
            return Ok(-1, "checkout -");
        }
        branch = git_reference_name(reference.get());
    }
    Owned<git_commit, git_commit_free> commit;
    git_checkout_options options = GIT_CHECKOUT_OPTIONS_INIT;
    options.checkout_strategy = GIT_CHECKOUT_SAFE;
    return Commit(branch, commit) &&
           Ok(git_checkout_tree(m_repo.get(), reinterpret_cast<git_object*>(commit.get()),
                                &options),
              "checkout") &&
           Ok(git_repository_set_head(m_repo.get(), branch.c_str()), "checkout");
}

bool InProcessGit::Merge(const std::string& message, const std::string& branch)
{
    Owned<git_commit, git_commit_free> head;
    Owned<git_commit, git_commit_free> other;
    Owned<git_index, git_index_free> merged;
    git_oid tree;
    git_checkout_options options = GIT_CHECKOUT_OPTIONS_INIT;
    options.checkout_strategy = GIT_CHECKOUT_FORCE;
    return Commit("HEAD", head) && Commit(branch, other) &&
           Ok(git_merge_commits(merged.Out(), m_repo.get(), head.get(), other.get(), nullptr),
              "merge") &&
           Ok(git_index_has_conflicts(merged.get()) ? -1 : 0, "merge conflicts") &&
           Ok(git_index_write_tree_to(&tree, merged.get(), m_repo.get()), "merge") &&
           MakeCommit(message, tree, {head.get(), other.get()}) &&
           Ok(git_checkout_head(m_repo.get(), &options), "merge");
}

bool InProcessGit::Move(const std::string& from, const std::string& to)
{
    std::error_code failure;
    std::filesystem::rename(m_folder + "/" + from, m_folder + "/" + to, failure);
    Owned<git_index, git_index_free> index;
    return Ok(failure ? -1 : 0, "mv") && Index(index) &&
           Ok(git_index_remove_bypath(index.get(), from.c_str()), "mv") &&
           Ok(git_index_add_bypath(index.get(), to.c_str()), "mv") &&
           Ok(git_index_write(index.get()), "mv");
}

bool InProcessGit::Remove(const std::string& path)
{
    std::error_code failure;
    std::filesystem::remove(m_folder + "/" + path, failure);
    Owned<git_index, git_index_free> index;
    return Ok(failure ? -1 : 0, "rm") && Index(index) &&
           Ok(git_index_remove_bypath(index.get(), path.c_str()), "rm") &&
           Ok(git_index_write(index.get()), "rm");
}

// The files of a tag written into path, as a work tree checked out there holds them (libgit2
// checks out only branches into work trees; the tests only count these files).
bool InProcessGit::AddWorkTree(const std::string& path, const std::string& tag)
{
    Owned<git_commit, git_commit_free> commit;
    git_checkout_options options = GIT_CHECKOUT_OPTIONS_INIT;
    options.checkout_strategy = GIT_CHECKOUT_FORCE | GIT_CHECKOUT_DONT_UPDATE_INDEX;
    options.target_directory = path.c_str();
    return Commit(tag, commit) &&
           Ok(git_checkout_tree(m_repo.get(), reinterpret_cast<git_object*>(commit.get()),
                                &options),
              "worktree add");
}

bool InProcessGit::Run(const std::vector<std::string>& w, std::string& out)
{
    // Whether the command starts with these words.
    const auto is = [&w](std::initializer_list<const char*> words) {
        return w.size() >= words.size() &&
               std::equal(words.begin(), words.end(), w.begin(),
                          [](const char* a, const std::string& b) { return b == a; });
    };
    const std::size_t n = w.size();
    if (n >= 1 && w[0] == "init") {
        return Init(n == 3 && w[1] == "-b" ? w[2] : "");
    }
    if (!Open()) {
        return false;
    }
    Owned<git_commit, git_commit_free> commit;
    Owned<git_reference, git_reference_free> made;
    if (is({"add", "-A"})) {
        return AddAll(true);
    }
    if (n == 2 && w[0] == "add") {
        Owned<git_index, git_index_free> index;
        return Index(index) && Ok(git_index_add_bypath(index.get(), w[1].c_str()), "add") &&
               Ok(git_index_write(index.get()), "add");
    }
    if (n == 3 && w[0] == "commit" && (w[1] == "-m" || w[1] == "-am")) {
        return (w[1] == "-m" || AddAll(false)) && CommitIndex(w[2]);
    }
    if (n == 2 && (w[0] == "tag" || w[0] == "branch")) {
        const std::string name = (w[0] == "tag" ? "refs/tags/" : "refs/heads/") + w[1];
        return Commit("HEAD", commit) &&
               Ok(git_reference_create(made.Out(), m_repo.get(), name.c_str(),
                                       git_commit_id(commit.get()), 0, nullptr),
                  w[0]);
    }
    if (n == 3 && is({"checkout", "-b"})) {
        return Commit("HEAD", commit) &&
               Ok(git_branch_create(made.Out(), m_repo.get(), w[2].c_str(), commit.get(), 0),
                  "branch") &&
               Ok(git_repository_set_head(m_repo.get(), ("refs/heads/" + w[2]).c_str()),
                  "checkout");
    }
    if (n == 2 && w[0] == "checkout") {
        return Checkout(w[1]);
    }
    if (n == 5 && is({"merge", "--no-ff", "-m"})) {
        return Merge(w[3], w[4]);
    }
    if (n == 4 && is({"worktree", "add"})) {
        return AddWorkTree(w[2], w[3]);
    }
    if (n == 3 && w[0] == "mv") {
        return Move(w[1], w[2]);
    }
    if (n == 2 && w[0] == "rm") {
        return Remove(w[1]);
    }
    if (n == 2 && w[0] == "rev-parse") {
        Owned<git_object, git_object_free> object;
        if (!Ok(git_revparse_single(object.Out(), m_repo.get(), w[1].c_str()), w[1])) {
            return false;
        }
        out = std::string(git_oid_tostr_s(git_object_id(object.get()))) + "\n";
        return true;
    }
    if (is({"rev-list", "--first-parent", "HEAD"})) {
        Owned<git_revwalk, git_revwalk_free> walk;
        git_oid id;
        if (!Ok(git_revwalk_new(walk.Out(), m_repo.get()), "rev-list") ||
            !Ok(git_revwalk_push_head(walk.get()), "rev-list") ||
            !Ok(git_revwalk_simplify_first_parent(walk.get()), "rev-list")) {
            return false;
        }
        while (git_revwalk_next(&id, walk.get()) == 0) {
            out += std::string(git_oid_tostr_s(&id)) + "\n";
        }
        return true;
    }
    error = "not done in-process; give the test LINTALLY_NEEDS_GIT_PROGRAM";
    return false;
}

std::string RunInProcess(const std::string& folder, const std::string& args)
{
    InProcessGit git(folder);
    std::string out;
    const bool ok = git.Run(Words(args), out);
    EXPECT_TRUE(ok) << "git " << args << ": " << git.error;
    return out;
}

}  // namespace

void Git(const std::string& folder, const std::string& args)
{
    RunInProcess(folder, args);
}

std::string GitOutput(const std::string& folder, const std::string& args)
{
    return RunInProcess(folder, args);
}

}  // namespace lintally::testing
