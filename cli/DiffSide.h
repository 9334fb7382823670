// One side of a diff: what was named on the command line (a folder to count, or a count
// saved by `-f json`), its files once counted or read, and, for a side whose files can be
// read, each file's bytes.
//
// A new kind of side (a git revision) adds a SideKind, a way to load it in LoadSide and, if
// its texts can be read, a way in ReadText.
//
// Owned by main's thread; ReadText may be called from several threads at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"
#include "scan/CountDiff.h"
#include "scan/CountJson.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

enum class SideKind
{
    Folder,
    Json,
};

struct DiffSide
{
    SideKind kind = SideKind::Folder;
    std::string path;  // the folder or the JSON file, as given
    std::string root;  // for a JSON side: the root it was counted under
    scan::CountSide files;
    std::vector<scan::SkippedFolder> skipped;  // folders a counted side could not read

    // True when ReadText can give the files' bytes.
    [[nodiscard]] bool HasText() const { return kind == SideKind::Folder; }
    // The bytes of the file name (as its row names it); empty when it cannot be read now.
    [[nodiscard]] std::string ReadText(std::string_view name) const;
};

// Counts a folder with the options of a count, or stops the whole program short when
// interrupted (the caller checks InterruptSignal()).
using CountFolders = scan::ScanResult (*)(const CliOptions& options,
                                          const scan::Selection& selection,
                                          std::vector<RootPlan>& plans);

// The kind of side argument names: a folder, or else a file holding a count; false with
// error set when it is neither.
[[nodiscard]] bool SideKindOf(const std::string& argument, SideKind& kind, std::string& error);

// Counts or reads the side named path with the options given; false with error set to one
// line (a usage error: a count saved with other options or without its files, a file that is
// not a count, a selection that cannot be planned).
[[nodiscard]] bool LoadSide(const CliOptions& options, CountFolders count, const std::string& path,
                            DiffSide& side, std::string& error);

// The options a count of these options writes under "options".
[[nodiscard]] scan::CountOptionsRecord RecordOf(const CliOptions& options);

}  // namespace lintally::cli
