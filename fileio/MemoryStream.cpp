#include "fileio/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace Brim {

std::uint32_t MemoryStream::Read(void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || m_position >= m_bytes.size()) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(count, m_bytes.size() - m_position);
    std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return static_cast<std::uint32_t>(n);
}

std::uint32_t MemoryStream::Write(const void*, std::uint32_t)
{
    return 0;
}

std::uint32_t MemoryStream::GetMode()
{
    return ModeRead;
}

bool MemoryStream::Seek(std::int32_t offset, int origin)
{
    const std::size_t base = origin == SeekBegin ? 0
                             : origin == SeekEnd ? m_bytes.size()
                                                 : m_position;
    if (offset < 0 && static_cast<std::size_t>(-static_cast<std::int64_t>(offset)) > base) {
        return false;
    }
    m_position = offset < 0 ? base - static_cast<std::size_t>(-static_cast<std::int64_t>(offset))
                            : base + static_cast<std::size_t>(offset);
    return true;
}

std::uint32_t MemoryStream::GetPosition()
{
    return static_cast<std::uint32_t>(m_position);
}

std::uint32_t MemoryStream::GetSize()
{
    return static_cast<std::uint32_t>(m_bytes.size());
}

bool MemoryStream::Truncate()
{
    return false;
}

}  // namespace Brim
