// Whether an open file or a buffer is left out for what it holds: a binary one (a NUL byte
// in its first kBinaryProbeBytes, unless it starts with a UTF-16 byte order mark) or one
// over the size limit. Leaves the stream at its start.
//
// Stateless functions; any thread may call them with a stream of its own.
#pragma once

#include <cstdint>
#include <optional>

#include "fileio/ReadOnlyFile.h"
#include "scan/Selection.h"

namespace lintally::scan {

[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file,
                                                     const Selection& selection);

// The same for a stream whose whole size is size (its GetSize keeps only 32 bits).
[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                                     const Selection& selection);

}  // namespace lintally::scan
