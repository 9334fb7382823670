#include "sysutil/TextConvertSystem.h"

#include <iconv.h>
#include <langinfo.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace Brim {

namespace {

constexpr const char* kWideCharset =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One conversion direction over iconv, with the substitution rules of this file. The
// source is consumed as it is converted, so output may be produced in several rounds.
class CConverter
{
public:
    // wideSource: the source is UTF-16 and the destination the locale's set.
    CConverter(bool wideSource, const char* in, std::size_t inBytes)
        : m_bWideSource(wideSource), m_pIn(in), m_nInLeft(inBytes)
    {
        const std::string locale = nl_langinfo(CODESET);
        m_Cd = wideSource ? iconv_open(locale.c_str(), kWideCharset)
                          : iconv_open(kWideCharset, locale.c_str());
    }
    ~CConverter()
    {
        if (IsOpen()) {
            iconv_close(m_Cd);
        }
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;

    bool IsOpen() const { return m_Cd != reinterpret_cast<iconv_t>(-1); }
    bool Done() const { return m_nInLeft == 0; }

    // Converts into out (outBytes of room) until the source ends or the next character does
    // not fit; returns the bytes written.
    std::size_t Convert(char* out, std::size_t outBytes)
    {
        char* cursor = out;
        std::size_t room = outBytes;
        while (m_nInLeft > 0) {
            char* in = const_cast<char*>(m_pIn);
            const std::size_t result = iconv(m_Cd, &in, &m_nInLeft, &cursor, &room);
            m_pIn = in;
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                break;
            }
            if (!Substitute(cursor, room)) {
                break;
            }
        }
        return static_cast<std::size_t>(cursor - out);
    }

private:
    // Writes the replacement for the undecodable character at the source position and steps
    // over it; false when the replacement does not fit.
    bool Substitute(char*& cursor, std::size_t& room)
    {
        static constexpr char16_t kReplacementUnit = 0xFFFD;
        const std::size_t size = m_bWideSource ? 1 : sizeof kReplacementUnit;
        if (room < size) {
            return false;
        }
        if (m_bWideSource) {
            *cursor = '?';
        } else {
            std::memcpy(cursor, &kReplacementUnit, sizeof kReplacementUnit);
        }
        cursor += size;
        room -= size;
        Skip(errno == EINVAL ? m_nInLeft : BadSequenceBytes());
        return true;
    }

    // The bytes of the character iconv refused: a surrogate pair counts as one character.
    std::size_t BadSequenceBytes() const
    {
        if (!m_bWideSource) {
            return 1;
        }
        char16_t units[2] = {};
        std::memcpy(units, m_pIn, m_nInLeft >= 4 ? 4 : 2);
        const bool pair = m_nInLeft >= 4 && IsHighSurrogate(units[0]) && IsLowSurrogate(units[1]);
        return pair ? 4 : 2;
    }

    void Skip(std::size_t bytes)
    {
        bytes = bytes < m_nInLeft ? bytes : m_nInLeft;
        m_pIn += bytes;
        m_nInLeft -= bytes;
    }

    bool m_bWideSource;
    const char* m_pIn;
    std::size_t m_nInLeft;
    iconv_t m_Cd = reinterpret_cast<iconv_t>(-1);
};

// Converts into a destination of dstSize units (dstSize > 0), cut to whole characters and
// terminated.
template <class Unit>
void ConvertInto(bool wideSource, const char* in, std::size_t inBytes, Unit* dst,
                 std::uint32_t dstSize)
{
    dst[0] = Unit{};
    CConverter converter(wideSource, in, inBytes);
    if (!converter.IsOpen()) {
        return;
    }
    const std::size_t room = (static_cast<std::size_t>(dstSize) - 1) * sizeof(Unit);
    const std::size_t written = converter.Convert(reinterpret_cast<char*>(dst), room);
    dst[written / sizeof(Unit)] = Unit{};
}

// Converts the whole source into a new terminated buffer, starting from estimate units and
// growing while the source is not used up.
template <class Unit>
std::unique_ptr<Unit[]> ConvertAll(bool wideSource, const char* in, std::size_t inBytes,
                                   std::size_t estimate)
{
    CConverter converter(wideSource, in, inBytes);
    if (!converter.IsOpen()) {
        return nullptr;
    }
    std::vector<char> bytes(estimate * sizeof(Unit) + sizeof(Unit));
    std::size_t used = 0;
    for (;;) {
        used += converter.Convert(bytes.data() + used, bytes.size() - used);
        if (converter.Done()) {
            break;
        }
        bytes.resize(bytes.size() * 2);
    }
    const std::size_t units = used / sizeof(Unit);
    auto result = std::make_unique<Unit[]>(units + 1);
    std::memcpy(result.get(), bytes.data(), units * sizeof(Unit));
    result[units] = Unit{};
    return result;
}

}  // namespace

namespace TextSystem {

void WideFromAnsi(const char* src, std::size_t length, char16_t* dst, std::uint32_t dstSize)
{
    ConvertInto(false, src, length, dst, dstSize);
}

void AnsiFromWide(const char16_t* src, std::size_t length, char* dst, std::uint32_t dstSize)
{
    ConvertInto(true, reinterpret_cast<const char*>(src), length * sizeof(char16_t), dst, dstSize);
}

std::unique_ptr<char16_t[]> WideFromAnsi(const char* src, std::size_t length)
{
    // A byte never decodes to more than one UTF-16 unit in the usual character sets.
    return ConvertAll<char16_t>(false, src, length, length);
}

std::unique_ptr<char[]> AnsiFromWide(const char16_t* src, std::size_t length)
{
    // UTF-8 needs at most three bytes per UTF-16 unit; other sets grow the buffer if needed.
    return ConvertAll<char>(true, reinterpret_cast<const char*>(src), length * sizeof(char16_t),
                            length * 3);
}

}  // namespace TextSystem

}  // namespace Brim
