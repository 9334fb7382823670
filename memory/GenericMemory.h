// The generic ("Generic_x86") memory routines behind slots 0 to 5 of CPrimitiveTable.
// Callers go through GetPrimitives(); these names exist so the table can be filled.
// Stateless and safe on any thread.
#pragma once

#include <cstdint>

namespace Generic_x86 {

// Copies n bytes forward in 32-bit words, then a byte tail. Ranges must not overlap.
void* MemCopy(void* dst, const void* src, std::uint32_t n);
// Fills n bytes with the low 8 bits of value, in 32-bit words, then a byte tail.
void* MemFill(void* dst, std::uint32_t value, std::uint32_t n);
// dst[i] = src[i] ^ key; note the source comes first. src and dst may be the same range.
void* MemXor(const void* src, void* dst, std::uint8_t key, std::uint32_t n);
// dst[i] = src[i] & mask; the source comes first.
void* MemAnd(const void* src, void* dst, std::uint8_t mask, std::uint32_t n);
// Unsigned byte comparison; exactly -1, 0 or +1.
std::int32_t MemCompare(const void* a, const void* b, std::uint32_t n);
// Overlapping move.
void* MemMove(void* dst, const void* src, std::uint32_t n);

}  // namespace Generic_x86
