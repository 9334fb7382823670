#include "gitsel/IgnoreRules.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <vector>

#include "fileio/PathSeparator.h"
#include "fileio/ReadOnlyFile.h"
#include "gitsel/IgnoreList.h"
#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

namespace {

// The patterns of the file at path; none when it cannot be read (git passes over it too).
std::optional<IgnoreList> ReadList(const std::string& path)
{
    std::string text;
    if (!Brim::ReadWholeFile(path.c_str(), text)) {
        return std::nullopt;
    }
    IgnoreList list(text);
    return list.empty() ? std::nullopt : std::optional<IgnoreList>(std::move(list));
}

// What the repository's configuration says of ignoring: the user's global excludes file
// (core.excludesFile, else git's default under the XDG configuration folder) and whether
// names fold case (core.ignoreCase).
struct IgnoreConfig
{
    std::string globalPath;
    bool foldsCase = false;
};

IgnoreConfig ReadIgnoreConfig(git_repository* repository)
{
    IgnoreConfig read;
    git_config* config = nullptr;
    if (git_repository_config_snapshot(&config, repository) == 0) {
        git_buf value = GIT_BUF_INIT;
        if (git_config_get_path(&value, config, "core.excludesfile") == 0) {
            read.globalPath = value.ptr;
        }
        git_buf_dispose(&value);
        int folds = 0;
        read.foldsCase = git_config_get_bool(&folds, config, "core.ignorecase") == 0 && folds != 0;
        git_config_free(config);
    }
    if (!read.globalPath.empty()) {
        return read;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        read.globalPath = std::string(xdg) + "/git/ignore";
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        read.globalPath = std::string(home) + "/.config/git/ignore";
    }
    return read;
}

// Appends relative, named with the system's separator as the walk names paths, to path with
// '/' between its parts, as git names them.
std::string& AppendSlashed(std::string& path, std::string_view relative)
{
    const std::size_t from = path.size();
    path.append(relative);
    if constexpr (Brim::kPathSeparator != '/') {
        std::replace(path.begin() + static_cast<std::ptrdiff_t>(from), path.end(),
                     Brim::kPathSeparator, '/');
    }
    return path;
}

}  // namespace

// The rules are read as the questions reach each folder, once per folder: its .gitignore,
// and whether the rules above it leave it out (then so is all under it).
struct IgnoreRules::Repository
{
    struct Folder
    {
        const Folder* parent;  // null at the work tree's top
        std::string path;      // under the top, ending in '/' ("" at the top)
        std::optional<IgnoreList> rules;
        bool ignored;
    };

    // The verdict for path (under the top) by the rules of folder and the folders above it,
    // the nearest first, then .git/info/exclude and the global excludes file.
    bool Decide(const Folder* folder, std::string_view path, bool isFolder) const
    {
        for (const Folder* at = folder; at != nullptr; at = at->parent) {
            if (at->rules) {
                if (const auto verdict = at->rules->Match(path.substr(at->path.size()), isFolder)) {
                    return *verdict;
                }
            }
        }
        for (const std::optional<IgnoreList>* list : {&exclude, &global}) {
            if (*list) {
                if (const auto verdict = (*list)->Match(path, isFolder)) {
                    return *verdict;
                }
            }
        }
        return false;
    }

    // The folder at path under the top (without its trailing '/'; "" for the top), read
    // with the folders above it when first asked for. holdsFile false: a listing showed that
    // this folder has no .gitignore (the folders above it are looked at all the same).
    const Folder& FolderAt(std::string_view path, bool holdsFile = true)
    {
        if (last != nullptr && lastKey == path) {
            return *last;
        }
        lastKey.assign(path);
        // The nearest folder on the way that is known, then each below it in turn.
        std::vector<std::string> missing;
        std::string key(path);
        auto found = folders.find(key);
        while (found == folders.end()) {
            missing.push_back(key);
            if (key.empty()) {
                break;
            }
            const std::size_t slash = key.rfind('/');
            key.resize(slash == std::string::npos ? 0 : slash);
            found = folders.find(key);
        }
        const Folder* parent = found == folders.end() ? nullptr : found->second.get();
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            auto folder = std::make_unique<Folder>();
            folder->parent = parent;
            folder->path = it->empty() ? std::string() : *it + "/";
            folder->ignored = parent != nullptr && (parent->ignored || Decide(parent, *it, true));
            // The folder at path is the last one made.
            if (!folder->ignored && (holdsFile || std::next(it) != missing.rend())) {
                folder->rules = ReadList(tree.workdir + folder->path + ".gitignore");
            }
            parent = folders.emplace(*it, std::move(folder)).first->second.get();
        }
        last = parent;
        return *last;
    }

    WorkTree tree;
    bool byLibrary = false;  // core.ignoreCase: the library answers, folding case as git does
    std::string path;        // reused for each question
    std::optional<IgnoreList> exclude;
    std::optional<IgnoreList> global;
    std::unordered_map<std::string, std::unique_ptr<Folder>> folders;
    const Folder* last = nullptr;  // the folder asked about last, at lastKey
    std::string lastKey;
};

IgnoreRules::IgnoreRules(std::unique_ptr<Repository> repository)
    : m_repository(std::move(repository))
{}

IgnoreRules::~IgnoreRules() = default;

GitStatus IgnoreRules::Open(const std::string& root, std::unique_ptr<IgnoreRules>& rules,
                            std::string& error)
{
    // Outside every repository the library is not started at all.
    if (!MayBeInRepository(root)) {
        error = NotInWorkTree(root);
        return GitStatus::NotAWorkTree;
    }
    auto repository = std::make_unique<Repository>();
    const GitStatus status = OpenWorkTree(root, repository->tree, error);
    if (status != GitStatus::Ok) {
        return status;
    }
    git_repository* opened = repository->tree.repository.get();
    const IgnoreConfig config = ReadIgnoreConfig(opened);
    repository->byLibrary = config.foldsCase;
    repository->exclude = ReadList(std::string(git_repository_commondir(opened)) + "info/exclude");
    if (!config.globalPath.empty()) {
        repository->global = ReadList(config.globalPath);
    }
    rules.reset(new IgnoreRules(std::move(repository)));
    return status;
}

bool IgnoreRules::IsIgnoreFileName(std::string_view name)
{
    constexpr std::string_view kName = ".gitignore";
    return name.size() == kName.size() &&
           std::equal(name.begin(), name.end(), kName.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

void IgnoreRules::FolderListed(std::string_view relative, bool holdsIgnoreFile)
{
    Repository& repository = *m_repository;
    // The library reads the rules itself when it answers.
    if (repository.byLibrary) {
        return;
    }
    std::string& path = repository.path;
    AppendSlashed(path.assign(repository.tree.prefix), relative);
    if (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    (void)repository.FolderAt(path, holdsIgnoreFile);
}

bool IgnoreRules::Ignores(std::string_view relative, bool folder)
{
    Repository& repository = *m_repository;
    std::string& path = repository.path;
    AppendSlashed(path.assign(repository.tree.prefix), relative);
    // A work tree's .git is a folder, or a file naming it in a linked work tree or submodule.
    const std::size_t slash = path.find_last_of('/');
    if (std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1) == ".git") {
        return true;
    }
    if (repository.byLibrary) {
        // A trailing '/' tells the library it is a folder, so rules that end in '/' apply.
        if (folder) {
            path.push_back('/');
        }
        int ignored = 0;
        return git_ignore_path_is_ignored(&ignored, repository.tree.repository.get(),
                                          path.c_str()) == 0 &&
               ignored != 0;
    }
    const std::size_t end = path.rfind('/');
    const Repository::Folder& in =
        repository.FolderAt(std::string_view(path).substr(0, end == std::string::npos ? 0 : end));
    return in.ignored || repository.Decide(&in, path, folder);
}

}  // namespace lintally::gitsel
