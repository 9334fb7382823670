// Which files of a list hold the same bytes as a file before them (--unique). Cheap checks
// come first: only files whose size another file shares are read, to a 64-bit hash, and
// files with equal hashes are compared byte for byte before one is called a copy, so a hash
// collision never drops a file. No file's bytes are held: files are read in blocks.
//
// Empty files are never copies: they hold no lines to count twice, and an empty file is
// usually a marker whose presence is the point (__init__.py, .gitkeep).
//
// Pure functions over a caller's IFileBytes; one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fileio/Stream.h"

namespace lintally::scan {

// The files FindDuplicates looks at, by index.
class IFileBytes
{
public:
    // The index-th file's size in bytes; none when it cannot be told (the file is then kept).
    [[nodiscard]] virtual std::optional<std::uint64_t> Size(std::size_t index) = 0;
    // The index-th file's bytes from their start on channel 0 or 1 (two files are open at
    // once to be compared), valid until that channel opens another; null when unreadable.
    [[nodiscard]] virtual Brim::IStream* Open(std::size_t index, int channel) = 0;

protected:
    ~IFileBytes() = default;
};

// The 64-bit hash of a stream's bytes to its end, and how many there were.
struct BytesHash
{
    std::uint64_t hash = 0;
    std::uint64_t size = 0;
};
[[nodiscard]] BytesHash HashBytes(Brim::IStream& stream);

// For each of count files, whether its bytes equal those of a file with a lower index. A file
// that cannot be read whole at the size it was first seen with is kept. hash stands in for
// HashBytes where a test wants every file to collide.
using StreamHash = BytesHash (*)(Brim::IStream& stream);
[[nodiscard]] std::vector<bool> FindDuplicates(std::size_t count, IFileBytes& files,
                                               StreamHash hash = HashBytes);

}  // namespace lintally::scan
