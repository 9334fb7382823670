#include "scan/ContentCheck.h"

#include <algorithm>

#include "linecount/Utf16Text.h"

namespace lintally::scan {

namespace {

// size: none when it cannot be told, and then no limit applies.
std::optional<SkipReason> Check(Brim::IStream& stream, std::optional<std::uint64_t> size,
                                const Selection& selection, FileHead* head)
{
    if (selection.maxSize != 0 && size && *size > selection.maxSize) {
        return SkipReason::TooLarge;
    }
    if (!selection.skipBinary && head == nullptr) {
        return std::nullopt;
    }
    char probe[kBinaryProbeBytes];
    char* const room = head != nullptr ? head->room : probe;
    const std::size_t roomSize = head != nullptr ? head->roomSize : sizeof probe;
    std::size_t got = 0;
    while (got < kBinaryProbeBytes) {
        const std::uint32_t read =
            stream.Read(room + got, static_cast<std::uint32_t>(roomSize - got));
        if (read == 0) {
            break;
        }
        got += read;
    }
    const std::string_view first(room, std::min(got, kBinaryProbeBytes));
    // UTF-16 text is full of NULs; its byte order mark says it is text. Its lines are
    // decoded from the stream's start, so its first bytes are not handed on as they are.
    const bool utf16 = PrjHelper::EncodingOfStart(first) != PrjHelper::TextEncoding::Bytes;
    const bool binary =
        selection.skipBinary && !utf16 && first.find('\0') != std::string_view::npos;
    if (head != nullptr && !utf16) {
        head->bytes = {room, got};
    } else {
        (void)stream.Seek(0, Brim::SeekBegin);
    }
    return binary ? std::optional<SkipReason>(SkipReason::Binary) : std::nullopt;
}

}  // namespace

std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file, const Selection& selection,
                                       FileHead* head)
{
    std::uint64_t size = 0;
    const bool sized = selection.maxSize != 0 && file.GetByteSize(size);
    return Check(file, sized ? std::optional<std::uint64_t>(size) : std::nullopt, selection, head);
}

std::optional<SkipReason> CheckContent(Brim::IStream& stream, std::uint64_t size,
                                       const Selection& selection, FileHead* head)
{
    return Check(stream, size, selection, head);
}

}  // namespace lintally::scan
