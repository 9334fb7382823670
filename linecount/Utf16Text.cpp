#include "linecount/Utf16Text.h"

namespace PrjHelper {

namespace {

constexpr std::uint16_t kReplacement = 0xFFFD;

std::size_t PutUtf8(char32_t point, char* out)
{
    if (point < 0x80) {
        out[0] = static_cast<char>(point);
        return 1;
    }
    if (point < 0x800) {
        out[0] = static_cast<char>(0xC0 | (point >> 6));
        out[1] = static_cast<char>(0x80 | (point & 0x3F));
        return 2;
    }
    if (point < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (point >> 12));
        out[1] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (point & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (point >> 18));
    out[1] = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (point & 0x3F));
    return 4;
}

bool IsHigh(std::uint16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLow(std::uint16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

TextEncoding EncodingOfStart(std::string_view start)
{
    if (start.size() >= 2 && start[0] == '\xFF' && start[1] == '\xFE') {
        return TextEncoding::Utf16Le;
    }
    if (start.size() >= 2 && start[0] == '\xFE' && start[1] == '\xFF') {
        return TextEncoding::Utf16Be;
    }
    return TextEncoding::Bytes;
}

std::size_t Utf16Decoder::Unit(std::uint16_t unit, char* out)
{
    std::size_t written = 0;
    if (m_high != 0) {
        if (IsLow(unit)) {
            const char32_t point = 0x10000 + ((char32_t{m_high} - 0xD800) << 10) + (unit - 0xDC00);
            m_high = 0;
            return PutUtf8(point, out);
        }
        m_high = 0;
        written = PutUtf8(kReplacement, out);
    }
    if (IsHigh(unit)) {
        m_high = unit;
        return written;
    }
    return written + PutUtf8(IsLow(unit) ? kReplacement : unit, out + written);
}

std::size_t Utf16Decoder::Decode(const char* in, std::size_t size, char* out)
{
    const auto* at = reinterpret_cast<const unsigned char*>(in);
    const unsigned char* const end = at + size;
    std::size_t written = 0;
    while (at < end) {
        unsigned char first = 0;
        if (m_hasOdd) {
            first = m_odd;
            m_hasOdd = false;
        } else {
            first = *at++;
            if (at == end) {
                m_odd = first;
                m_hasOdd = true;
                break;
            }
        }
        const unsigned char second = *at++;
        const auto unit =
            static_cast<std::uint16_t>(m_bigEndian ? (first << 8) | second : (second << 8) | first);
        written += Unit(unit, out + written);
    }
    return written;
}

std::size_t Utf16Decoder::Finish(char* out)
{
    const bool unfinished = m_hasOdd || m_high != 0;
    m_hasOdd = false;
    m_high = 0;
    return unfinished ? PutUtf8(kReplacement, out) : 0;
}

std::string TextAsUtf8(std::string_view text)
{
    const TextEncoding encoding = EncodingOfStart(text);
    if (encoding == TextEncoding::Bytes) {
        return std::string(text);
    }
    Utf16Decoder decoder(encoding == TextEncoding::Utf16Be);
    std::string utf8(3 * text.size() / 2 + 8, '\0');
    std::size_t length = decoder.Decode(text.data() + 2, text.size() - 2, utf8.data());
    length += decoder.Finish(utf8.data() + length);
    utf8.resize(length);
    return utf8;
}

}  // namespace PrjHelper
