// UTF-16 text turned into UTF-8 as it is read, so a file saved as UTF-16 (with its byte
// order mark, as Windows editors write it) is counted like the same text saved as UTF-8.
//
// A file is UTF-16 only when it starts with a byte order mark: without one, text of either
// byte order is taken as the bytes it is. A Utf16Decoder serves one stream on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace PrjHelper {

enum class TextEncoding
{
    Bytes,    // read as it is (UTF-8, ASCII, any single-byte code page)
    Utf16Le,  // began with FF FE
    Utf16Be,  // began with FE FF
};

// What a stream's first bytes say it holds (its mark is two bytes long).
[[nodiscard]] TextEncoding EncodingOfStart(std::string_view start);

// Decodes UTF-16 given in pieces of any size: a code unit or a surrogate pair split between
// pieces is finished by the next. A lone surrogate, and a last odd byte, become U+FFFD.
// Each piece of n bytes gives at most 3 * (n + 1) / 2 + 3 bytes of UTF-8.
class Utf16Decoder
{
public:
    explicit Utf16Decoder(bool bigEndian) : m_bigEndian(bigEndian) {}

    // Writes the UTF-8 of in[0, size) to out and returns its length. out may lie before in
    // within one buffer, as long as it never overtakes the byte being read: out no later
    // than in - (size + 1) / 2 - 6 holds for any text.
    std::size_t Decode(const char* in, std::size_t size, char* out);

    // Ends the text: what a piece left unfinished becomes (U+FFFD, or nothing), at most 3 bytes.
    std::size_t Finish(char* out);

private:
    std::size_t Unit(std::uint16_t unit, char* out);

    bool m_bigEndian;
    bool m_hasOdd = false;  // the first byte of a code unit, from the end of the last piece
    unsigned char m_odd = 0;
    std::uint16_t m_high = 0;  // a high surrogate waiting for its low half; 0: none
};

// The text as UTF-8 when it starts with a UTF-16 byte order mark, else as it is.
[[nodiscard]] std::string TextAsUtf8(std::string_view text);

}  // namespace PrjHelper
