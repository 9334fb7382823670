// A check both line classifiers' harnesses make: the code lines' hashes a diff compares are
// as many as the code lines counted, and do not depend on where the stream's reads end.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "linecount/CodeLineHashes.h"

namespace lintally::fuzz {

inline void CheckCodeLineHashes(std::string_view text, std::size_t piece, std::int32_t lang,
                                std::uint32_t flags, std::uint64_t codeLines)
{
    constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();
    std::vector<std::uint64_t> whole;
    std::vector<std::uint64_t> inPieces;
    ChunkedStream wholeStream(text, text.size());
    ChunkedStream piecesStream(text, piece);
    if (PrjHelper::HashCodeLines(wholeStream, lang, flags, kAll, whole) !=
            PrjHelper::HashedLines::Done ||
        PrjHelper::HashCodeLines(piecesStream, lang, flags, kAll, inPieces) !=
            PrjHelper::HashedLines::Done ||
        whole != inPieces) {
        Fault("the code lines' hashes depend on where the reads end");
    }
    if (whole.size() != codeLines) {
        Fault("HashCodeLines keeps other lines than the code lines");
    }
}

}  // namespace lintally::fuzz
