#include "memory/RefStr.h"

#include "memory/PrimitiveTable.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

namespace Hoard {

namespace {

// Bytes a string block holds beyond its characters: the count byte and the NUL.
constexpr std::uint32_t kOverhead = 2;
constexpr std::uint32_t kStep = 32;

std::uint32_t CheckedLength(std::uint64_t length)
{
    if (length > UINT32_MAX - kOverhead)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(length);
}

}  // namespace

CRefStr::CRefStr(const char* text)
{
    Assign(text);
}

const char* CRefStr::GetText() const
{
    const unsigned char* block = m_Storage.GetBlock();
    return block != nullptr ? reinterpret_cast<const char*>(block + 1) : nullptr;
}

char* CRefStr::Chars()
{
    return reinterpret_cast<char*>(m_Storage.GetData());
}

char* CRefStr::Reserve(std::uint32_t n)
{
    const bool fresh = m_Storage.GetBlock() == nullptr;
    m_Storage.Reserve(CheckedLength(n) + 1, kStep);
    char* chars = Chars();
    if (fresh)
        chars[0] = '\0';
    return chars;
}

void CRefStr::Clear()
{
    m_Storage.Reserve(kOverhead, kStep);
    Chars()[0] = '\0';
    m_nLength = 0;
}

void CRefStr::Assign(const char* text)
{
    if (text != nullptr && text == GetText())
        return;
    const std::size_t length = text != nullptr ? std::strlen(text) : 0;
    Assign(text, CheckedLength(length));
}

void CRefStr::Assign(const char* text, std::uint32_t n)
{
    if (n != 0 && m_Storage.Contains(text)) {
        // Part of our own text: copy it aside, since Reserve may free the block it lies in.
        CRefStr copy;
        copy.Assign(text, n);
        Assign(copy.GetText(), copy.GetLength());
        return;
    }
    Reserve(n);
    if (text == nullptr || n == 0) {
        Clear();
        return;
    }
    const auto length = static_cast<std::uint32_t>(strnlen(text, n));
    char* chars = Chars();
    GetPrimitives()->MemCopy(chars, text, length);
    chars[length] = '\0';
    m_nLength = length;
}

std::uint32_t CRefStr::Insert(std::uint32_t pos, const char* bytes, std::uint32_t n)
{
    if (pos > m_nLength || (n != 0 && bytes == nullptr))
        return 0;
    if (n != 0 && m_Storage.Contains(bytes)) {
        CRefStr copy;
        copy.Insert(0, bytes, n);
        return Insert(pos, copy.GetText(), n);
    }
    const std::uint32_t length = m_nLength;
    char* chars = Reserve(CheckedLength(std::uint64_t{length} + n));
    if (n == 0)
        return 0;
    std::memmove(chars + pos + n, chars + pos, length - pos + 1);
    GetPrimitives()->MemCopy(chars + pos, bytes, n);
    m_nLength = length + n;
    chars[m_nLength] = '\0';
    return n;
}

std::uint32_t CRefStr::Append(const char* bytes, std::uint32_t n)
{
    return Insert(GetLength(), bytes, n);
}

std::uint32_t CRefStr::Erase(std::uint32_t pos, std::uint32_t n)
{
    // Nothing lies at or beyond the end, and a string without a block has nothing to remove.
    if (pos >= m_nLength)
        return 0;
    char* chars = Chars();
    const std::uint32_t length = m_nLength;
    if (n < length - pos) {
        std::memmove(chars + pos, chars + pos + n, length - pos - n);
        m_nLength = length - n;
    } else {
        m_nLength = pos;
    }
    chars[m_nLength] = '\0';
    return length - m_nLength;
}

char& CRefStr::At(std::uint32_t i)
{
    return Chars()[i];
}

void CRefStr::Format(const char* fmt, ...)
{
    if (fmt == nullptr) {
        Clear();
        return;
    }
    std::va_list args;
    va_start(args, fmt);
    const int measured = std::vsnprintf(nullptr, 0, fmt, args);
    va_end(args);
    if (measured < 0) {
        Clear();
        return;
    }
    // Printed aside first: an argument may point into this string's own block, which Reserve
    // may free and which the print must not overwrite while reading it.
    const auto n = static_cast<std::uint32_t>(measured);
    CAutoPtr<char> text;
    text.Alloc(std::size_t{n} + 1);
    va_start(args, fmt);
    std::vsnprintf(text.Get(), std::size_t{n} + 1, fmt, args);
    va_end(args);
    char* chars = Reserve(n);
    GetPrimitives()->MemCopy(chars, text.Get(), n);
    chars[n] = '\0';
    m_nLength = n;
}

}  // namespace Hoard
