#include "scan/ContentCheck.h"

#include <cstring>
#include <memory>

namespace lintally::scan {

std::optional<SkipReason> CheckContent(Brim::ReadOnlyFile& file, const Selection& selection)
{
    if (selection.maxSize != 0) {
        std::uint64_t size = 0;
        if (file.GetByteSize(size) && size > selection.maxSize) {
            return SkipReason::TooLarge;
        }
    }
    if (!selection.skipBinary) {
        return std::nullopt;
    }
    auto probe = std::make_unique<char[]>(kBinaryProbeBytes);
    std::size_t got = 0;
    while (got < kBinaryProbeBytes) {
        const std::uint32_t read =
            file.Read(probe.get() + got, static_cast<std::uint32_t>(kBinaryProbeBytes - got));
        if (read == 0) {
            break;
        }
        got += read;
    }
    const bool binary = std::memchr(probe.get(), '\0', got) != nullptr;
    (void)file.Seek(0, Brim::SeekBegin);
    return binary ? std::optional<SkipReason>(SkipReason::Binary) : std::nullopt;
}

}  // namespace lintally::scan
