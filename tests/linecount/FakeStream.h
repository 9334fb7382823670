// FakeStream: an in-memory Brim::IStream for the reader's tests.
//
// It can hand out short reads (at most maxRead bytes per call), fail every read from a
// given position on (a read error before the end), and report a size other than the true
// one (as a stream of 4 GiB or more does). Owned by the test; one thread.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "fileio/Stream.h"

class FakeStream final : public Brim::IStream
{
public:
    explicit FakeStream(std::string bytes) : m_Bytes(std::move(bytes)) {}

    std::uint32_t maxRead = UINT32_MAX;        // cap per Read call
    std::size_t failFrom = std::string::npos;  // Read returns 0 once the position reaches this
    bool reportZeroSize = false;               // GetSize answers 0, as for a size that wrapped
    std::uint32_t readCalls = 0;

    std::uint32_t Read(void* buffer, std::uint32_t count) override
    {
        ++readCalls;
        if (buffer == nullptr || count == 0)
            return 0;
        const std::size_t limit = std::min(m_Bytes.size(), failFrom);
        if (m_Pos >= limit)
            return 0;
        const std::size_t n = std::min<std::size_t>({count, maxRead, limit - m_Pos});
        std::memcpy(buffer, m_Bytes.data() + m_Pos, n);
        m_Pos += n;
        return static_cast<std::uint32_t>(n);
    }
    std::uint32_t Write(const void*, std::uint32_t) override { return 0; }
    std::uint32_t GetMode() override { return Brim::ModeRead; }
    bool Seek(std::int32_t offset, int origin) override
    {
        const std::int64_t base = origin == Brim::SeekBegin ? 0
                                  : origin == Brim::SeekEnd
                                      ? static_cast<std::int64_t>(m_Bytes.size())
                                      : static_cast<std::int64_t>(m_Pos);
        const std::int64_t target = base + offset;
        if (target < 0)
            return false;
        m_Pos = static_cast<std::size_t>(target);
        return true;
    }
    std::uint32_t GetPosition() override { return static_cast<std::uint32_t>(m_Pos); }
    std::uint32_t GetSize() override
    {
        return reportZeroSize ? 0 : static_cast<std::uint32_t>(m_Bytes.size());
    }
    bool Truncate() override { return false; }

    std::size_t Position() const { return m_Pos; }

private:
    std::string m_Bytes;
    std::size_t m_Pos = 0;
};
