// One side of a diff: what was named on the command line (a folder to count, a count saved
// by `-f json`, or a git revision of a repository's folder), its files once counted or read,
// and, for a side whose files can be read, each file's bytes (see SideReader.h).
//
// Owned by main's thread.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"
#include "gitsel/Revision.h"
#include "results/CountDiff.h"
#include "results/CountJson.h"
#include "results/DiffReport.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// A side's kind is the one its label in the output names.
using SideKind = results::DiffSideKind;

// What the command line names as one side: a folder or saved count by its path, or a
// revision by its name and the folder of a work tree (or a bare repository) it is taken in.
struct SideRequest
{
    std::string path;
    std::string rev;     // empty: not a revision
    std::string option;  // the option that named rev, for messages
};

struct DiffSide
{
    SideKind kind = SideKind::Folder;
    std::string path;  // the folder, the JSON file or the revision's ROOT, as given
    std::string root;  // for a JSON side: the root it was counted under
    std::string rev;   // for a revision: its name as given, and the commit it named
    std::string commit;
    results::CountSide files;
    std::vector<std::string> inexactNames;     // for a JSON side: see results::CountJson
    std::vector<scan::SkippedFolder> skipped;  // folders the count of the side could not read

    // How the output names this side.
    [[nodiscard]] results::DiffSideLabel Label() const;
    // True when the files' bytes can be read.
    [[nodiscard]] bool HasText() const { return kind != SideKind::Json; }
    // For a revision, the index of file name among its files; none for another side. May be
    // called from several threads at once.
    [[nodiscard]] std::optional<std::size_t> FileIndex(std::string_view name) const;
    // True when this side is a revision whose file name holds exactly bytes, told from its
    // blob's id without reading the blob. May be called from several threads at once.
    [[nodiscard]] bool Holds(std::string_view name, std::string_view bytes) const;
    // True when both sides are revisions and name holds the same bytes in both (files are
    // then not read to be compared). Called from main's thread.
    [[nodiscard]] bool SameContent(std::string_view name, const DiffSide& other,
                                   std::string_view otherName) const;

    std::unique_ptr<gitsel::Revision> revision;  // a revision's files and their bytes
    mutable std::mutex revisionLock;             // FileIndex's map is made by its first use
};

// The kind of side argument names: a folder, or else a file holding a count; false with
// error set when it is neither.
[[nodiscard]] bool SideKindOf(const std::string& argument, SideKind& kind, std::string& error);

// Counts or reads the side the request names with the options given; false with error set to one
// line (a usage error: a count saved with other options or without its files, a file that is
// not a count, an unknown revision, a selection that cannot be planned). earlier: a side
// loaded before with the same options, or null; when both are revisions, files alike in both
// are not counted twice.
[[nodiscard]] bool LoadSide(const CliOptions& options, const SideRequest& request,
                            const DiffSide* earlier, DiffSide& side, std::string& error);

}  // namespace lintally::cli
