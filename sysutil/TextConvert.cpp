#include "sysutil/TextConvert.h"

#include "sysutil/TextConvertSystem.h"

#include <cstring>

namespace Brim {

namespace {

std::size_t WideLength(const char16_t* text)
{
    std::size_t length = 0;
    while (text[length] != u'\0') {
        ++length;
    }
    return length;
}

}  // namespace

char16_t* AnsiToWide(const char* src, std::uint32_t srcLen, char16_t* dst, std::uint32_t dstSize)
{
    if (src == nullptr) {
        return nullptr;
    }
    if (dst == nullptr || dstSize == 0) {
        return dst;
    }
    TextSystem::WideFromAnsi(src, srcLen != 0 ? srcLen : std::strlen(src), dst, dstSize);
    return dst;
}

char* WideToAnsi(const char16_t* src, std::uint32_t srcLen, char* dst, std::uint32_t dstSize)
{
    if (src == nullptr) {
        return nullptr;
    }
    if (dst == nullptr || dstSize == 0) {
        return dst;
    }
    TextSystem::AnsiFromWide(src, srcLen != 0 ? srcLen : WideLength(src), dst, dstSize);
    return dst;
}

std::unique_ptr<char16_t[]> AnsiToWide(const char* src, std::uint32_t srcLen)
{
    if (src == nullptr) {
        return nullptr;
    }
    return TextSystem::WideFromAnsi(src, srcLen != 0 ? srcLen : std::strlen(src));
}

std::unique_ptr<char[]> WideToAnsi(const char16_t* src, std::uint32_t srcLen)
{
    if (src == nullptr) {
        return nullptr;
    }
    return TextSystem::AnsiFromWide(src, srcLen != 0 ? srcLen : WideLength(src));
}

}  // namespace Brim
