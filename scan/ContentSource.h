// Where the bytes of listed files come from when they are not files of the file system
// (a git revision's blobs): a list scan given a source reads each listed name's bytes from
// it as a stream and counts them with the same rules as a file's.
//
// The source outlives the scan. Each counting thread asks it for a reader of its own
// (NewReader may be called from several threads at once) and uses only that reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "fileio/Stream.h"
#include "scan/Selection.h"

namespace lintally::scan {

class IContentReader
{
public:
    virtual ~IContentReader() = default;

    // The bytes of the index-th listed name as a stream at its start, with their whole size,
    // valid until the next call or the reader's end; otherwise why there are none:
    // Unreadable, or TooLarge when the content is bigger than sizeLimit (0: no limit), which
    // the reader may tell without reading it.
    [[nodiscard]] virtual std::optional<SkipReason> Open(std::size_t index, std::uint64_t sizeLimit,
                                                         Brim::IStream*& stream,
                                                         std::uint64_t& size) = 0;
    // True when the stream Open gave last failed part-way: its bytes were not all read.
    [[nodiscard]] virtual bool Failed() const = 0;
};

class IContentSource
{
public:
    // A reader for one thread; null when none can be made (every file is then unreadable).
    [[nodiscard]] virtual std::unique_ptr<IContentReader> NewReader() const = 0;

protected:
    ~IContentSource() = default;
};

}  // namespace lintally::scan
