#include "memory/GenericMemory.h"

#include <cstring>

namespace Generic_x86 {

// Words go through std::memcpy so unaligned addresses are well defined; the compiler turns
// each into a single 32-bit load or store.
void* MemCopy(void* dst, const void* src, std::uint32_t n)
{
    auto* d = static_cast<unsigned char*>(dst);
    const auto* s = static_cast<const unsigned char*>(src);
    for (std::uint32_t i = n / 4; i != 0; --i, d += 4, s += 4) {
        std::uint32_t word;
        std::memcpy(&word, s, 4);
        std::memcpy(d, &word, 4);
    }
    for (std::uint32_t i = n % 4; i != 0; --i)
        *d++ = *s++;
    return dst;
}

void* MemFill(void* dst, std::uint32_t value, std::uint32_t n)
{
    const std::uint32_t byte = value & 0xFFu;
    const std::uint32_t word = byte * 0x01010101u;
    auto* d = static_cast<unsigned char*>(dst);
    for (std::uint32_t i = n / 4; i != 0; --i, d += 4)
        std::memcpy(d, &word, 4);
    for (std::uint32_t i = n % 4; i != 0; --i)
        *d++ = static_cast<unsigned char>(byte);
    return dst;
}

void* MemXor(const void* src, void* dst, std::uint8_t key, std::uint32_t n)
{
    const auto* s = static_cast<const unsigned char*>(src);
    auto* d = static_cast<unsigned char*>(dst);
    for (std::uint32_t i = 0; i < n; ++i)
        d[i] = static_cast<unsigned char>(s[i] ^ key);
    return dst;
}

void* MemAnd(const void* src, void* dst, std::uint8_t mask, std::uint32_t n)
{
    const auto* s = static_cast<const unsigned char*>(src);
    auto* d = static_cast<unsigned char*>(dst);
    for (std::uint32_t i = 0; i < n; ++i)
        d[i] = static_cast<unsigned char>(s[i] & mask);
    return dst;
}

std::int32_t MemCompare(const void* a, const void* b, std::uint32_t n)
{
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    }
    return 0;
}

void* MemMove(void* dst, const void* src, std::uint32_t n)
{
    if (n != 0)
        std::memmove(dst, src, n);
    return dst;
}

}  // namespace Generic_x86
