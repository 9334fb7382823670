// What the harnesses share: a stream that hands its bytes out in small pieces, the way a
// harness stops on a broken invariant, and the layout of a file-count input.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fileio/Stream.h"

namespace lintally::fuzz {

// A read-only stream over bytes that gives at most piece bytes per Read, so that a reader's
// block ends fall anywhere in its input. One harness call, one thread.
class ChunkedStream final : public Brim::IStream
{
public:
    ChunkedStream(std::string_view bytes, std::size_t piece) : m_bytes(bytes), m_piece(piece) {}

    std::uint32_t Read(void* buffer, std::uint32_t count) override
    {
        const std::size_t n =
            std::min({static_cast<std::size_t>(count), m_piece, m_bytes.size() - m_at});
        if (buffer == nullptr || n == 0) {
            return 0;
        }
        std::memcpy(buffer, m_bytes.data() + m_at, n);
        m_at += n;
        return static_cast<std::uint32_t>(n);
    }
    std::uint32_t Write(const void*, std::uint32_t) override { return 0; }
    std::uint32_t GetMode() override { return Brim::ModeRead; }
    bool Seek(std::int32_t, int) override { return false; }
    std::uint32_t GetPosition() override { return static_cast<std::uint32_t>(m_at); }
    std::uint32_t GetSize() override { return static_cast<std::uint32_t>(m_bytes.size()); }
    bool Truncate() override { return false; }

private:
    std::string_view m_bytes;
    std::size_t m_piece;
    std::size_t m_at = 0;
};

// Ends the run on a broken invariant; libFuzzer keeps the input that broke it.
[[noreturn]] inline void Fault(const char* what)
{
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
}

// A file to count, as the line classifiers' harnesses read it: a mode byte, a byte giving the
// largest piece a read returns (1 to 64), the file's name up to an LF, then its text. Readable
// seeds: "1!main.c\n..." is mode '1' (0x31), pieces of 2 bytes, a file main.c.
struct FileInput
{
    std::uint8_t mode = 0;
    std::size_t piece = 1;
    std::string_view name;
    std::string_view text;
};

inline bool ReadFileInput(const std::uint8_t* data, std::size_t size, FileInput& input)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t lf = bytes.find('\n', 2);
    if (lf == std::string_view::npos) {
        return false;
    }
    input.mode = data[0];
    input.piece = 1 + data[1] % 64;
    input.name = bytes.substr(2, lf - 2);
    input.text = bytes.substr(lf + 1);
    return true;
}

// The number of lines of text: only LF ends one, and bytes after the last LF are one more.
inline std::uint64_t LineCount(std::string_view text)
{
    const auto ends = static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
    return ends + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

}  // namespace lintally::fuzz
