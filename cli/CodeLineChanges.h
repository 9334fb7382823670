// The code lines added and removed in each file that both sides of a diff hold, from the
// files' texts: the code lines of each version (as the counter classifies them) compared
// line by line. Files whose bytes are equal are not compared.
//
// Runs on jobs threads of its own and waits for them; called from main's thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/DiffSide.h"
#include "gitsel/LineDiff.h"
#include "results/CountDiff.h"
#include "scan/StopToken.h"

namespace lintally::cli {

// Fills changes (indexed like pairs; pairs of one side only are left at 0). flags: the
// counter's option bits both sides were counted with. False with error set when a comparison
// failed; true but incomplete when stop was requested.
[[nodiscard]] bool CompareCodeLines(const DiffSide& before, const DiffSide& after,
                                    const std::vector<results::FilePair>& pairs,
                                    std::uint32_t flags, unsigned jobs, const scan::StopToken& stop,
                                    std::vector<results::LineChanges>& changes, std::string& error);

}  // namespace lintally::cli
