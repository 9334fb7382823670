// Whether an open file or a buffer is left out for what it holds: a binary one (a NUL byte
// in its first kBinaryProbeBytes, unless it starts with a UTF-16 byte order mark) or one
// over the size limit. Leaves the stream at its start.
// head, when given, receives the file's first bytes in the room it lends (at least
// kBinaryProbeBytes, or all of a shorter file; they are read even when binary files are
// kept; one read as large as the room takes most files whole), and the stream is left just
// past them instead, so no one reads them again (but for UTF-16 text, which is read again
// from its start to be decoded; bytes is then empty).
//
// Stateless functions; any thread may call them with a stream of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fileio/ReadOnlyFile.h"
#include "scan/Selection.h"

namespace lintally::scan {

// A file's first bytes: room and its size, lent by the caller (at least kBinaryProbeBytes),
// and the bytes read into it.
struct FileHead
{
    char* room = nullptr;
    std::size_t roomSize = 0;
    std::string_view bytes;
};

[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file,
                                                     const Selection& selection,
                                                     FileHead* head = nullptr);

// The same for a stream whose whole size is size (its GetSize keeps only 32 bits).
[[nodiscard]] std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                                     const Selection& selection,
                                                     FileHead* head = nullptr);

}  // namespace lintally::scan
