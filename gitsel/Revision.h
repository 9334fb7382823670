// A git revision's files, read straight from the repository's objects through libgit2: no
// checkout, and neither the work tree nor the index is touched.
//
// The files are those of the revision's tree under the folder ROOT stands for in it (ROOT
// may be a sub-folder of a work tree), named relative to ROOT as a scan of the work tree
// would name them. Two kinds of entry are more than a file:
// - A submodule (gitlink) is listed through the submodule's own repository, as --git lists
//   a checked-out one: its files at the commit the revision records. One not checked out
//   (no repository in its folder) is left out, as --git leaves it out; one whose repository
//   lacks that commit is left out and named in Missing().
// - A symbolic link is followed inside the revision, as a scan of the checkout reads a link
//   to a file: one that leads (also through further links) to a file counts that file's
//   bytes under the link's name. One that leads to a folder, out of the repository, in a
//   loop or nowhere keeps its name and cannot be read (an unreadable row with 0 lines, as
//   --git gives for a link it cannot open).
//
// Owned by its caller. Open lists every file on the calling thread; Content() serves any
// number of counting threads, each through a reader with repositories of its own (libgit2
// objects are not shared between threads); ReadFile is for one thread at a time.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gitsel/GitStatus.h"
#include "scan/ContentSource.h"
#include "scan/ScanResult.h"

namespace lintally::gitsel {

// A file of the revision that could not be read, and why (naming the object).
struct UnreadFile
{
    std::string name;
    std::string reason;
};

class Revision
{
public:
    // Opens the repository that holds root (a folder of a work tree, or a bare repository,
    // where root stands for the tree's top) and resolves rev, any name git accepts (a tag, a
    // branch, HEAD~3, a hash), to a commit. Lists the files under root (without subFolders,
    // only those directly in it). Not Ok with error set to one line: NotAWorkTree (no
    // repository), Failed (an unknown revision, one that names no commit, an unreadable
    // object).
    [[nodiscard]] static GitStatus Open(const std::string& root, const std::string& rev,
                                        bool subFolders, std::unique_ptr<Revision>& revision,
                                        std::string& error);
    ~Revision();
    Revision(const Revision&) = delete;
    Revision& operator=(const Revision&) = delete;

    // rev as given, and the id of the commit it resolved to (40 hex digits).
    [[nodiscard]] const std::string& Name() const;
    [[nodiscard]] const std::string& Commit() const;
    // True when the repository is bare: it has no work tree to compare the revision with.
    [[nodiscard]] bool Bare() const;

    // The files, relative to root with native separators, each once, in the tree's order.
    [[nodiscard]] const std::vector<std::string>& Files() const;
    // Submodules left out because their repository lacks the recorded commit.
    [[nodiscard]] const std::vector<scan::SkippedFolder>& Missing() const;

    // The files the readers of Content() and ReadFile could not read so far, each with why.
    // Any thread may ask.
    [[nodiscard]] std::vector<UnreadFile> Unread() const;

    // The bytes of Files() by index, for a count's file set (see RevisionFileSet.h).
    [[nodiscard]] const scan::IContentSource& Content() const;

    // Replaces bytes with those of file name (one of Files()) at the revision; false with
    // error set to one line when it is not one or cannot be read.
    [[nodiscard]] bool ReadFile(std::string_view name, std::string& bytes, std::string& error);
    // The index of name in Files(); none when it is not one. Makes a map of the names on
    // first use: for one thread at a time.
    [[nodiscard]] std::optional<std::size_t> IndexOf(std::string_view name);
    // True when file index holds the same bytes as other's file otherIndex: one blob id, and
    // both readable or neither (two revisions are so compared without reading a file).
    [[nodiscard]] bool SameBytes(std::size_t index, const Revision& other,
                                 std::size_t otherIndex) const;
    // True when file index holds exactly bytes: bytes have its blob's id (so the blob need not
    // be read to compare them). Any number of threads may ask at once.
    [[nodiscard]] bool Holds(std::size_t index, std::string_view bytes) const;
    // For each of Files(), true when older holds the same bytes under the same name: what a
    // diff of the two has counted already. For one thread at a time (see IndexOf).
    [[nodiscard]] std::vector<bool> SameFilesAs(Revision& older) const;

    struct State;  // the platform's listing and repositories

private:
    explicit Revision(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

}  // namespace lintally::gitsel
