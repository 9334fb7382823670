// One thread's reader of a diff side's files: a folder's files opened from its path, a
// revision's blobs streamed through a reader of its own (so threads never wait for each
// other). A blob that cannot be read whole is noted among the revision's unread files.
//
// Owned by one thread; the side outlives it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "cli/DiffSide.h"
#include "fileio/ReadOnlyFile.h"
#include "scan/ContentSource.h"

namespace lintally::cli {

class SideReader
{
public:
    explicit SideReader(const DiffSide& side);

    // The bytes of file name (as its row names it) as a stream at its start, valid until the
    // next Open, with their size (0 when unknown); null when the file cannot be read now.
    [[nodiscard]] Brim::IStream* Open(std::string_view name, std::uint64_t& size);

private:
    const DiffSide& m_side;
    std::unique_ptr<scan::IContentReader> m_blobs;
    Brim::ReadOnlyFile m_file;
};

}  // namespace lintally::cli
