#include "scan/ContentCheck.h"

#include <cstring>
#include <memory>

#include "linecount/Utf16Text.h"

namespace lintally::scan {

namespace {

// size: none when it cannot be told, and then no limit applies.
std::optional<SkipReason> Check(Brim::IStream& stream, std::optional<std::uint64_t> size,
                                const Selection& selection, std::string* head)
{
    if (selection.maxSize != 0 && size && *size > selection.maxSize) {
        return SkipReason::TooLarge;
    }
    if (!selection.skipBinary && head == nullptr) {
        return std::nullopt;
    }
    auto probe = std::make_unique_for_overwrite<char[]>(kBinaryProbeBytes);
    std::size_t got = 0;
    while (got < kBinaryProbeBytes) {
        const std::uint32_t read =
            stream.Read(probe.get() + got, static_cast<std::uint32_t>(kBinaryProbeBytes - got));
        if (read == 0) {
            break;
        }
        got += read;
    }
    // UTF-16 text is full of NULs; its byte order mark says it is text. Its lines are
    // decoded from the stream's start, so its first bytes are not handed on as they are.
    const bool utf16 =
        PrjHelper::EncodingOfStart({probe.get(), got}) != PrjHelper::TextEncoding::Bytes;
    const bool binary =
        selection.skipBinary && !utf16 && std::memchr(probe.get(), '\0', got) != nullptr;
    if (head != nullptr && !utf16) {
        head->assign(probe.get(), got);
    } else {
        (void)stream.Seek(0, Brim::SeekBegin);
    }
    return binary ? std::optional<SkipReason>(SkipReason::Binary) : std::nullopt;
}

}  // namespace

std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file, const Selection& selection,
                                       std::string* head)
{
    std::uint64_t size = 0;
    const bool sized = selection.maxSize != 0 && file.GetByteSize(size);
    return Check(file, sized ? std::optional<std::uint64_t>(size) : std::nullopt, selection, head);
}

std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                       const Selection& selection, std::string* head)
{
    return Check(stream, size, selection, head);
}

}  // namespace lintally::scan
