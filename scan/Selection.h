// Which of the files a scan meets it leaves out, and why: --exclude patterns, version-control
// folders, an ignore check (a repository's ignore rules), binary files, files over a size and
// generated files and copies of files met before.
// SkipCounts holds how many were left out for each reason.
//
// Built before a scan and not changed while it runs; the walk's thread asks Leaves and
// LeavesPath, the counting threads read the content choices.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/DirReader.h"
#include "scan/Glob.h"

namespace lintally::scan {

enum class SkipReason : unsigned char
{
    Excluded,    // an exclude pattern or a version-control folder
    Ignored,     // the ignore check
    Binary,      // a NUL byte in the file's first kBinaryProbeBytes
    TooLarge,    // over maxSize bytes
    Unreadable,  // could not be opened (its row stays, with 0 lines)
    Linked,      // a link to a file the walk meets where it lies
    Generated,   // written by a tool: a lock file, minified, or marked (see GeneratedFile.h)
    Duplicate,   // the same bytes as a file before it in list order (see DuplicateFiles.h)
};

struct SkipCounts
{
    std::uint64_t excluded = 0;  // folders left out whole, and files of the type list
    std::uint64_t ignored = 0;
    std::uint64_t binary = 0;
    std::uint64_t tooLarge = 0;
    std::uint64_t unreadable = 0;
    std::uint64_t linked = 0;
    std::uint64_t generated = 0;
    std::uint64_t duplicate = 0;

    void Add(SkipReason reason, std::uint64_t count = 1);
    [[nodiscard]] std::uint64_t Of(SkipReason reason) const;
    SkipCounts& operator+=(const SkipCounts& other);
    [[nodiscard]] bool Any() const;
};

// Each reason's names, in the order every output lists them: its key in JSON and the words
// of the table's footer after a count of one and of more.
struct SkipReasonName
{
    SkipReason reason;
    const char* key;
    const char* one;
    const char* more;
};

inline constexpr SkipReasonName kSkipReasonNames[] = {
    {SkipReason::Excluded, "excluded", "folder or file excluded", "folders and files excluded"},
    {SkipReason::Ignored, "ignored", "folder or file git ignores", "folders and files git ignores"},
    {SkipReason::Binary, "binary", "binary file", "binary files"},
    {SkipReason::TooLarge, "too_large", "file too large", "files too large"},
    {SkipReason::Unreadable, "unreadable", "unreadable file (listed with 0 lines)",
     "unreadable files (listed with 0 lines)"},
    {SkipReason::Linked, "linked", "link to a file counted where it lies",
     "links to files counted where they lie"},
    {SkipReason::Generated, "generated", "generated file", "generated files"},
    {SkipReason::Duplicate, "duplicate", "duplicate file", "duplicate files"},
};

// How much of a file's start is read to tell a binary file.
inline constexpr std::size_t kBinaryProbeBytes = 8192;

class Selection
{
public:
    // Whether relative (a path under the scan's root, parts separated by the native
    // separator) is left out; folder: it names a folder, whose whole tree then goes.
    using IgnoreCheck = std::function<bool(std::string_view relative, bool folder)>;
    // Told of each folder the walk has read (relative "" for the root) before the ignore
    // check is asked about its entries: a check that reads a file in each folder need not
    // look for one the listing lacks.
    using FolderListed =
        std::function<void(std::string_view relative, const std::vector<DirEntry>& entries)>;

    // A pattern without '/' matches an entry's name, one with '/' its path under the root
    // (a leading '/' is dropped); a trailing '/' keeps it to folders. False with error set
    // when the pattern is not one.
    [[nodiscard]] bool AddExclude(std::string_view pattern, std::string& error);
    // Leaves out the folders of version control: .git, .hg, .svn, CVS, .bzr.
    void AddVersionControlExcludes();
    void SetIgnoreCheck(IgnoreCheck check, FolderListed listed = {})
    {
        m_ignore = std::move(check);
        m_listed = std::move(listed);
    }
    void NoteFolderRead(std::string_view relative, const std::vector<DirEntry>& entries) const
    {
        if (m_listed) {
            m_listed(relative, entries);
        }
    }
    // Leaves out each file reached through a symbolic link whose target lies under root:
    // the walk meets that file where it lies, so it would count twice. A link that leads
    // out of root counts. False when root's own path cannot be resolved.
    [[nodiscard]] bool SkipLinksUnder(const std::string& root);

    // Why the walk's entry name (at relative under the root) is left out; none to keep it.
    [[nodiscard]] std::optional<SkipReason> Leaves(std::string_view name, std::string_view relative,
                                                   bool folder) const;
    // The same for a listed file, whose folders on the way were never walked: each of them
    // is asked too. A file git tracks is not asked of the ignore check: git's ignore rules
    // leave out untracked files only.
    [[nodiscard]] std::optional<SkipReason> LeavesPath(std::string_view relative,
                                                       bool tracked = false) const;
    // Whether the file reached through the link at fullPath is left out (see SkipLinksUnder).
    [[nodiscard]] std::optional<SkipReason> LeavesLink(const std::string& fullPath) const;

    bool skipBinary = false;
    std::uint64_t maxSize = 0;  // 0: no limit
    // Leaves out generated files (the wide table's counts only).
    bool skipGenerated = false;
    // Leaves out each counted file whose bytes equal those of a file before it in list order
    // (see HeldFiles.h); the walk's scans only, not the dialog's paced one.
    bool unique = false;

private:
    struct Rule
    {
        Glob glob;
        bool byPath = false;
        bool foldersOnly = false;
    };
    [[nodiscard]] bool Excludes(std::string_view name, std::string_view relative,
                                bool folder) const;

    std::vector<Rule> m_rules;
    IgnoreCheck m_ignore;
    FolderListed m_listed;
    std::string m_linkRoot;  // resolved, with a trailing separator; empty: links count
};

}  // namespace lintally::scan
