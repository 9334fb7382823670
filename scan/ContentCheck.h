// Whether an open file or a buffer is left out for what it holds: a binary one (a NUL byte
// in its first kBinaryProbeBytes, unless it starts with a UTF-16 byte order mark) or one
// over the size limit. Leaves the stream at its start.
// head, when given, receives the first kBinaryProbeBytes it read (the whole file when
// shorter; they are read even when binary files are kept), and the stream is left just past
// them instead, so no one reads them again (but for UTF-16 text, which is read again from
// its start to be decoded).
//
// Stateless functions; any thread may call them with a stream of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "fileio/ReadOnlyFile.h"
#include "scan/Selection.h"

namespace lintally::scan {

[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file,
                                                     const Selection& selection,
                                                     std::string* head = nullptr);

// The same for a stream whose whole size is size (its GetSize keeps only 32 bits).
[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                                     const Selection& selection,
                                                     std::string* head = nullptr);

}  // namespace lintally::scan
