// The code lines of a stream as one 64-bit hash each, in order, so two versions of a file can
// be compared line by line on their code alone in memory that grows with their code lines,
// never with their bytes: a line of any length is hashed as it streams past and never held.
//
// Lines, kinds and languages are the counter's own: LineTally's rules with the design table,
// TallyWideLines' (a "#!" first line is code) with CF_WIDE_TABLE, in the block mode of the
// flags. The hashes are as many as the code lines TallyLines or TallyWideLines counts for the
// same bytes. A hash covers a line's bytes without its LF (a CR and bytes after a NUL too);
// equal lines hash alike however the reads cut them.
//
// A pure function over a stream its caller owns; any thread may call it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "fileio/Stream.h"

namespace PrjHelper {

enum class HashedLines
{
    Done,
    TooMany,   // the stream holds more code lines than the limit
    NoMemory,  // the hashes could not all be held
    Stopped,   // keepGoing said no
};

// Replaces hashes with those of the code lines of stream (read until Read gives 0), at most
// limit of them. lang: the id the file was counted with (a wide id, or 0, under
// CF_WIDE_TABLE). keepGoing, when given, is asked before each block read.
[[nodiscard]] HashedLines HashCodeLines(Brim::IStream& stream, std::int32_t lang,
                                        std::uint32_t flags, std::size_t limit,
                                        std::vector<std::uint64_t>& hashes,
                                        const std::function<bool()>& keepGoing = {});

}  // namespace PrjHelper
