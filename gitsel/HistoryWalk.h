// The walk of one commit's folders for a history's count (see History.h), on a stack of its
// own: cached folders are taken whole, the others entry by entry.
//
// Used by the one thread that counts the history.
#pragma once

#include <string>

#include "gitsel/HistoryState.h"

namespace lintally::gitsel {

enum class WalkMode
{
    Collect,  // gathers the files whose tally is not kept yet into the state's pending lists
    Sum,      // adds the tallies up (counting a file whose tally is not kept as it is met)
};

// Walks start, the tree of ROOT's folder in the commit whose tree is top (prefix: the folder's
// path in it). In Sum mode result gets the sums and the skipped submodules, or stopped when a
// stop ended the walk; each folder that holds no link or submodule keeps its sums. Failed with
// error set when a tree cannot be read.
[[nodiscard]] GitStatus WalkCommit(History::State& state, WalkMode mode,
                                   const scan::StopToken& stop, scan::IScanSink& sink,
                                   git_tree* top, TreePtr start, const std::string& prefix,
                                   scan::ScanResult& result, std::string& error);

// A second owner of tree.
[[nodiscard]] TreePtr DupTree(git_tree* tree);

}  // namespace lintally::gitsel
