// The code lines added and removed in each file that both sides of a diff hold, from the
// files' texts: the code lines of each version (as the counter classifies them) compared
// line by line, as streams of line hashes, so memory grows with a file's code lines and not
// with its bytes. A file past the limits below is left not computed, with why.
//
// Runs on jobs threads of its own and waits for them; called from main's thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/DiffSide.h"
#include "results/CountDiff.h"
#include "scan/StopToken.h"

namespace lintally::cli {

// The most code lines one version of a file may hold to be compared (8 bytes each).
inline constexpr std::size_t kMaxComparedLines = std::size_t{1} << 22;
// The most steps the line diff of one file may take (about a second or two of work): two long
// versions that differ nearly everywhere are left not computed.
inline constexpr std::uint64_t kMaxDiffWork = std::uint64_t{1} << 28;

// A file whose code lines added and removed were not computed: the index of its pair, and
// why, in words.
struct UncomputedFile
{
    std::size_t pair = 0;
    std::string reason;
};

// Fills changes (indexed like pairs; pairs of one side only are left at 0) and lists the
// files not computed, in pair order. flags: the counter's option bits both sides were
// counted with. Incomplete when stop was requested.
void CompareCodeLines(const DiffSide& before, const DiffSide& after,
                      const std::vector<results::FilePair>& pairs, std::uint32_t flags,
                      unsigned jobs, const scan::StopToken& stop,
                      std::vector<results::LineChanges>& changes,
                      std::vector<UncomputedFile>& uncomputed);

}  // namespace lintally::cli
