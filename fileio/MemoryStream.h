// MemoryStream: bytes held in memory read through IStream, so the counters that read files
// count a buffer by the same code. Read-only: Write and Truncate fail.
//
// Borrows the bytes, which must outlive it. Positions past 4 GiB are kept whole inside;
// GetPosition and GetSize give their low 32 bits, as a file's do. One thread at a time.
#pragma once

#include <cstdint>
#include <string_view>

#include "fileio/Stream.h"

namespace Brim {

class MemoryStream final : public IStream
{
public:
    explicit MemoryStream(std::string_view bytes) : m_bytes(bytes) {}

    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    std::uint32_t Write(const void* buffer, std::uint32_t count) override;
    std::uint32_t GetMode() override;
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetSize() override;
    bool Truncate() override;

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

}  // namespace Brim
