// Hoard::CRefStr: a byte string with an explicit length over a counted block.
//
// The payload holds the characters and one NUL after them; NUL bytes may also occur inside
// the characters. The block grows in 32-byte steps and is kept across Clear, so a reused
// line buffer allocates only for a line longer than any before it. Operations taking a C
// string stop at its first NUL. Not copyable; one thread at a time. Allocation failure, and
// a length that does not fit in 32 bits, raise std::bad_alloc; nothing else throws.
#pragma once

#include "memory/RefMem.h"

#include <cstdint>

#if defined(__MINGW32__)
#define HOARD_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define HOARD_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define HOARD_PRINTF_FORMAT(fmt, args)
#endif

namespace Hoard {

class CRefStr
{
public:
    CRefStr() = default;
    explicit CRefStr(const char* text);
    CRefStr(const CRefStr&) = delete;
    CRefStr& operator=(const CRefStr&) = delete;

    std::uint32_t GetLength() const { return m_nLength; }
    // The NUL-terminated characters, or null while the string has no block yet.
    const char* GetText() const;

    // Makes sure of room for n characters and the NUL, keeping the text; returns the
    // characters.
    char* Reserve(std::uint32_t n);
    // Empties the string; the block stays (the first one is 32 bytes).
    void Clear();
    // Replaces the text by a C string (null: empty). The string's own text pointer is a no-op.
    void Assign(const char* text);
    // Replaces the text by the first n characters of text, stopping early at a NUL.
    void Assign(const char* text, std::uint32_t n);
    // Inserts n bytes at pos (at most the length); returns the number added (0 when n is 0,
    // bytes is null or pos is beyond the length, and then nothing changes).
    std::uint32_t Insert(std::uint32_t pos, const char* bytes, std::uint32_t n);
    std::uint32_t Append(const char* bytes, std::uint32_t n);
    // Removes up to n characters from pos; returns how many went.
    std::uint32_t Erase(std::uint32_t pos, std::uint32_t n);
    // Character i; i must be below the length.
    char& At(std::uint32_t i);
    // Replaces the text by the formatted print of the arguments; an argument may point into
    // this string's own text.
    void Format(const char* fmt, ...) HOARD_PRINTF_FORMAT(2, 3);

    // The block's size in bytes, count byte included; 0 without a block.
    std::uint32_t GetBlockSize() const { return m_Storage.GetSize(); }

private:
    char* Chars();

    CRefMemT<unsigned char, 255> m_Storage;
    std::uint32_t m_nLength = 0;
};

}  // namespace Hoard
