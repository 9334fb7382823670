#include "scan/ContentCheck.h"

#include <cstring>
#include <memory>

#include "linecount/Utf16Text.h"

namespace lintally::scan {

namespace {

// size: none when it cannot be told, and then no limit applies.
std::optional<SkipReason> Check(Brim::IStream& stream, std::optional<std::uint64_t> size,
                                const Selection& selection)
{
    if (selection.maxSize != 0 && size && *size > selection.maxSize) {
        return SkipReason::TooLarge;
    }
    if (!selection.skipBinary) {
        return std::nullopt;
    }
    auto probe = std::make_unique<char[]>(kBinaryProbeBytes);
    std::size_t got = 0;
    while (got < kBinaryProbeBytes) {
        const std::uint32_t read =
            stream.Read(probe.get() + got, static_cast<std::uint32_t>(kBinaryProbeBytes - got));
        if (read == 0) {
            break;
        }
        got += read;
    }
    // UTF-16 text is full of NULs; its byte order mark says it is text.
    const bool binary =
        std::memchr(probe.get(), '\0', got) != nullptr &&
        PrjHelper::EncodingOfStart({probe.get(), got}) == PrjHelper::TextEncoding::Bytes;
    (void)stream.Seek(0, Brim::SeekBegin);
    return binary ? std::optional<SkipReason>(SkipReason::Binary) : std::nullopt;
}

}  // namespace

std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file, const Selection& selection)
{
    std::uint64_t size = 0;
    const bool sized = selection.maxSize != 0 && file.GetByteSize(size);
    return Check(file, sized ? std::optional<std::uint64_t>(size) : std::nullopt, selection);
}

std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                       const Selection& selection)
{
    return Check(stream, size, selection);
}

}  // namespace lintally::scan
