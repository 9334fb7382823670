// ReadBlock: the buffer a line reader or tally reads a stream into.
//
// A scan reads many small files, so blocks are kept per thread rather than allocated per
// file: a ReadBlock lends one of the thread's two blocks when one is free, otherwise (a hook
// running another reader on the same thread) a block of its own, and a small one when memory
// is short. Data() may also be filled by other means (a file's first bytes, read raw).
// Read fills the block with a stream's text: a stream that starts with a UTF-16 byte order
// mark is decoded into UTF-8 on the way (in the block itself, no more memory), any other is
// given as its bytes. A ReadBlock serves one stream; it lives on one thread's stack and is
// used by that thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "fileio/Stream.h"
#include "linecount/Utf16Text.h"

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

    // Reads the stream's next text into Data() and returns its length; 0 at its end (the
    // stream's Read gave 0). The first call takes at most two thirds of the block, so UTF-16
    // found there can be decoded in place.
    std::uint32_t Read(Brim::IStream& stream);

private:
    static constexpr std::uint32_t kFallbackSize = 4096;

    // The most UTF-16 bytes one read takes: their UTF-8, written from the block's start,
    // never overtakes them when they lie at the block's end.
    std::uint32_t Utf16Room() const { return (m_size - 8) / 3 * 2; }
    std::uint32_t ReadUtf16(Brim::IStream& stream);

    char* m_data = nullptr;
    std::uint32_t m_size = 0;
    bool* m_borrowed = nullptr;  // the busy flag of the thread's block it lends
    std::unique_ptr<char[]> m_own;
    char m_fallback[kFallbackSize];
    bool m_started = false;                 // the first read was made
    std::optional<Utf16Decoder> m_decoder;  // when the stream began with a UTF-16 mark
    bool m_ended = false;                   // the UTF-16 stream gave its last byte
};

}  // namespace PrjHelper
