// A work tree's ignore rules (every .gitignore on the way, .git/info/exclude and the user's
// global excludes file), asked about paths under a folder of it. The repository's own
// folder (.git), or the file that stands for it in a linked work tree, always counts as
// ignored.
//
// Owns the open repository; one thread asks at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "gitsel/GitStatus.h"

namespace lintally::gitsel {

class IgnoreRules
{
public:
    // Opens the rules of the work tree that holds root; not Ok with error set when there is
    // none or it cannot be read.
    [[nodiscard]] static GitStatus Open(const std::string& root,
                                        std::unique_ptr<IgnoreRules>& rules, std::string& error);
    ~IgnoreRules();
    IgnoreRules(const IgnoreRules&) = delete;
    IgnoreRules& operator=(const IgnoreRules&) = delete;

    // Whether relative (a path under root, its parts separated by the system's separator or
    // '/'; folder: it names a folder) is ignored, by its own rules or by a folder on its way.
    // A path the rules cannot be read for is kept.
    [[nodiscard]] bool Ignores(std::string_view relative, bool folder);
    // Says whether the folder at relative (a path under root, "" for root) holds an entry
    // named as a folder's ignore file (IsIgnoreFileName), as a listing of it shows: one it
    // lacks is not looked for when the folder's rules are first read.
    void FolderListed(std::string_view relative, bool holdsIgnoreFile);
    // Whether an entry of this name may be a folder's ignore file. Case is folded, as a file
    // system that folds it would open the file by any case.
    [[nodiscard]] static bool IsIgnoreFileName(std::string_view name);

    struct Repository;  // the platform's open repository

private:
    explicit IgnoreRules(std::unique_ptr<Repository> repository);
    std::unique_ptr<Repository> m_repository;
};

}  // namespace lintally::gitsel
