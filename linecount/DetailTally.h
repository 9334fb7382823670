// Counting a stream's lines under the wide table with more detail than TallyWideLines: the
// code of other languages inside it (EmbeddedSplitter.h) counted as those languages, and its
// branch tokens (BranchCount.h).
//
// Lines and their kinds are those of TallyWideLines: a stream counted with neither option
// gives the same kinds. The host's kinds leave out the embedded lines, which the parts hold,
// so the host's lines and the parts' add up to the file's lines. Memory: the longest line.
// One call serves one stream on one thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "fileio/Stream.h"
#include "linecount/LineBreakdown.h"
#include "linecount/WideTally.h"

namespace PrjHelper {

// Option bits beside CF_WIDE_TABLE: count embedded code as its own language; count branch
// tokens.
constexpr std::uint32_t CF_EMBEDDED = 32;
constexpr std::uint32_t CF_COMPLEXITY = 64;

// The lines of one language embedded in a file, and their branch tokens.
struct EmbeddedPart
{
    std::int32_t lang = 0;
    LineBreakdown kinds;
    std::uint64_t complexity = 0;

    friend bool operator==(const EmbeddedPart&, const EmbeddedPart&) = default;
};

struct DetailTallyResult
{
    WideTallyResult host;                // the file's own language and its lines
    std::uint64_t complexity = 0;        // the host's branch tokens (with CF_COMPLEXITY)
    std::vector<EmbeddedPart> embedded;  // by language, in the order first met (CF_EMBEDDED)
};

// TallyWideLines's count (the same arguments) with the detail flags asks for.
[[nodiscard]] DetailTallyResult TallyDetailedLines(Brim::IStream& stream, std::int32_t lang,
                                                   bool sniff, std::uint32_t flags,
                                                   const std::function<bool()>& keepGoing = {},
                                                   std::string_view start = {});

}  // namespace PrjHelper
