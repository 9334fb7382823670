// ReadBlock: the buffer a line reader or tally reads a stream into.
//
// A scan reads many small files, so the block is kept per thread rather than allocated per
// file: a ReadBlock lends the thread's block when it is free, otherwise (a hook running another
// reader on the same thread) a block of its own, and a small one when memory is short.
// A ReadBlock lives on one thread's stack and is used by that thread only.
#pragma once

#include <cstdint>
#include <memory>

namespace PrjHelper {

class ReadBlock
{
public:
    ReadBlock();
    ReadBlock(const ReadBlock&) = delete;
    ReadBlock& operator=(const ReadBlock&) = delete;
    ~ReadBlock();

    char* Data() const { return m_data; }
    std::uint32_t Size() const { return m_size; }

private:
    static constexpr std::uint32_t kFallbackSize = 4096;

    char* m_data = nullptr;
    std::uint32_t m_size = 0;
    bool m_borrowed = false;
    std::unique_ptr<char[]> m_own;
    char m_fallback[kFallbackSize];
};

}  // namespace PrjHelper
