#include "sysutil/TextConvertSystem.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

namespace Brim::TextSystem {

namespace {

bool IsHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// True when units [0, count) of text end between the two halves of a surrogate pair.
bool SplitsPair(const std::wstring& text, std::size_t count)
{
    return count > 0 && count < text.size() && IsHighSurrogate(text[count - 1]) &&
           IsLowSurrogate(text[count]);
}

// The system's converters take lengths as int; longer texts are not converted.
bool FitsInt(std::size_t length)
{
    return length <= static_cast<std::size_t>(INT_MAX);
}

// Characters the code page cannot encode become "?", never a best-fit look-alike (a
// full-width backslash must not turn into a path separator). UTF-8 encodes every character
// and takes no such flag.
DWORD NoBestFitFlags()
{
    return ::GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

// The whole text decoded from the ANSI code page; false when the system cannot decode it.
bool Decode(const char* src, std::size_t length, std::wstring& wide)
{
    wide.clear();
    if (length == 0) {
        return true;
    }
    if (!FitsInt(length)) {
        return false;
    }
    const int bytes = static_cast<int>(length);
    const int units = ::MultiByteToWideChar(CP_ACP, 0, src, bytes, nullptr, 0);
    if (units <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(units));
    return ::MultiByteToWideChar(CP_ACP, 0, src, bytes, wide.data(), units) == units;
}

// Bytes the first count units of wide take in the ANSI code page (0 when count is 0 or the
// system refuses), or writes them into out when room > 0.
int Encode(const std::wstring& wide, std::size_t count, char* out, int room)
{
    if (count == 0) {
        return 0;
    }
    return ::WideCharToMultiByte(CP_ACP, NoBestFitFlags(), wide.data(), static_cast<int>(count),
                                 out, room, nullptr, nullptr);
}

// The most units of wide whose encoding fits room bytes, never ending inside a surrogate
// pair. The encoded size grows with every unit, so a binary search finds the cut.
std::size_t UnitsThatFit(const std::wstring& wide, int room)
{
    std::size_t fits = 0;
    std::size_t tooMany = wide.size();
    while (tooMany - fits > 1) {
        const std::size_t middle = fits + (tooMany - fits) / 2;
        const int size = Encode(wide, middle, nullptr, 0);
        if (size > 0 && size <= room) {
            fits = middle;
        } else {
            tooMany = middle;
        }
    }
    return SplitsPair(wide, fits) ? fits - 1 : fits;
}

std::wstring WideCopy(const char16_t* src, std::size_t length)
{
    std::wstring wide(length, L'\0');
    std::transform(src, src + length, wide.begin(),
                   [](char16_t unit) { return static_cast<wchar_t>(unit); });
    return wide;
}

void CopyOut(const std::wstring& wide, std::size_t count, char16_t* dst)
{
    std::transform(wide.begin(), wide.begin() + static_cast<std::ptrdiff_t>(count), dst,
                   [](wchar_t unit) { return static_cast<char16_t>(unit); });
    dst[count] = u'\0';
}

}  // namespace

void WideFromAnsi(const char* src, std::size_t length, char16_t* dst, std::uint32_t dstSize)
{
    dst[0] = u'\0';
    std::wstring wide;
    if (!Decode(src, length, wide)) {
        return;
    }
    std::size_t count = std::min<std::size_t>(wide.size(), dstSize - 1);
    if (SplitsPair(wide, count)) {
        --count;
    }
    CopyOut(wide, count, dst);
}

void AnsiFromWide(const char16_t* src, std::size_t length, char* dst, std::uint32_t dstSize)
{
    dst[0] = '\0';
    // Room 0 would turn the conversion into a size query, so a one-byte destination stays
    // empty here.
    const int room = static_cast<int>(std::min<std::uint32_t>(dstSize - 1, INT_MAX));
    if (length == 0 || room == 0 || !FitsInt(length)) {
        return;
    }
    const std::wstring wide = WideCopy(src, length);
    const int whole = Encode(wide, wide.size(), nullptr, 0);
    if (whole <= 0) {
        return;
    }
    const std::size_t count = whole <= room ? wide.size() : UnitsThatFit(wide, room);
    const int written = Encode(wide, count, dst, room);
    dst[written > 0 ? written : 0] = '\0';
}

std::unique_ptr<char16_t[]> WideFromAnsi(const char* src, std::size_t length)
{
    std::wstring wide;
    if (!Decode(src, length, wide)) {
        return nullptr;
    }
    auto result = std::make_unique<char16_t[]>(wide.size() + 1);
    CopyOut(wide, wide.size(), result.get());
    return result;
}

std::unique_ptr<char[]> AnsiFromWide(const char16_t* src, std::size_t length)
{
    if (!FitsInt(length)) {
        return nullptr;
    }
    const std::wstring wide = WideCopy(src, length);
    const int size = Encode(wide, wide.size(), nullptr, 0);
    if (length > 0 && size <= 0) {
        return nullptr;
    }
    auto result = std::make_unique<char[]>(static_cast<std::size_t>(size) + 1);
    Encode(wide, wide.size(), result.get(), size);
    return result;
}

}  // namespace Brim::TextSystem
