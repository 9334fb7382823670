#include "linecount/ReadBlock.h"

#include <cstring>
#include <new>

namespace PrjHelper {

namespace {

constexpr std::uint32_t kBlockSize = 128 * 1024;

struct ThreadBlock
{
    std::unique_ptr<char[]> data;
    bool busy = false;
};

// Two: a file's first block, read to look at before it is counted, stays while the count
// reads on into the second.
thread_local ThreadBlock t_blocks[2];

}  // namespace

ReadBlock::ReadBlock()
{
    for (ThreadBlock& block : t_blocks) {
        if (block.busy)
            continue;
        if (!block.data)
            block.data.reset(new (std::nothrow) char[kBlockSize]);
        if (block.data) {
            block.busy = true;
            m_borrowed = &block.busy;
            m_data = block.data.get();
            m_size = kBlockSize;
            return;
        }
    }
    m_own.reset(new (std::nothrow) char[kBlockSize]);
    m_data = m_own ? m_own.get() : m_fallback;
    m_size = m_own ? kBlockSize : kFallbackSize;
}

ReadBlock::~ReadBlock()
{
    if (m_borrowed != nullptr)
        *m_borrowed = false;
}

std::uint32_t ReadBlock::Read(Brim::IStream& stream)
{
    if (m_decoder)
        return ReadUtf16(stream);
    if (m_started)
        return stream.Read(m_data, m_size);
    m_started = true;
    const std::uint32_t room = Utf16Room();
    std::uint32_t got = stream.Read(m_data, room);
    // A mark's first byte alone: its second decides.
    while (got == 1 && (m_data[0] == '\xFF' || m_data[0] == '\xFE')) {
        const std::uint32_t more = stream.Read(m_data + 1, room - 1);
        if (more == 0)
            break;
        got += more;
    }
    const TextEncoding encoding = EncodingOfStart({m_data, got});
    if (encoding == TextEncoding::Bytes)
        return got;
    m_decoder.emplace(encoding == TextEncoding::Utf16Be);
    const std::uint32_t text = got - 2;
    std::memmove(m_data + m_size - text, m_data + 2, text);
    const auto decoded =
        static_cast<std::uint32_t>(m_decoder->Decode(m_data + m_size - text, text, m_data));
    return decoded != 0 ? decoded : ReadUtf16(stream);
}

// Reads UTF-16 into the block's end and decodes it to its start, until some text comes of
// it or the stream ends.
std::uint32_t ReadBlock::ReadUtf16(Brim::IStream& stream)
{
    while (!m_ended) {
        const std::uint32_t room = Utf16Room();
        char* const raw = m_data + m_size - room;
        const std::uint32_t got = stream.Read(raw, room);
        if (got == 0) {
            m_ended = true;
            return static_cast<std::uint32_t>(m_decoder->Finish(m_data));
        }
        const std::size_t decoded = m_decoder->Decode(raw, got, m_data);
        if (decoded != 0)
            return static_cast<std::uint32_t>(decoded);
    }
    return 0;
}

}  // namespace PrjHelper
