// CPrimitiveTable: the process-wide table of raw memory and matrix routines.
//
// Every byte copy, overlapping move and fill of the in-house libraries goes through this
// table, so one variant of the routines ("Generic_x86") serves the whole program. The table
// is built on first use (thread-safe), never changes afterwards and is never destroyed; any
// thread may call its routines at any time, since they keep no state.
#pragma once

#include <cstdint>

struct CPrimitiveTable
{
    void* (*MemCopy)(void* dst, const void* src, std::uint32_t n);
    void* (*MemFill)(void* dst, std::uint32_t value, std::uint32_t n);
    void* (*MemXor)(const void* src, void* dst, std::uint8_t key, std::uint32_t n);
    void* (*MemAnd)(const void* src, void* dst, std::uint8_t mask, std::uint32_t n);
    std::int32_t (*MemCompare)(const void* a, const void* b, std::uint32_t n);
    void* (*MemMove)(void* dst, const void* src, std::uint32_t n);
    bool (*Mat4Inverse)(float* matrix, const float* determinant);
    void (*Mat4Mul)(float* out, const float* a, const float* b);
    void (*Mat3Mul)(float* out, const float* a, const float* b);
    float (*Mat4Determinant)(const float* matrix);
    void (*Reserved10)();
    void (*Vec4Transform)(float* out, const float* v, const float* m);
    void (*Mat4Sub)(float* out, const float* a, const float* b);
    void (*Mat4Add)(float* out, const float* a, const float* b);
    void (*Reserved14)();
    void (*QuatToMat4)(float* out, const float* q);
    void (*Vec4dTransform)(double* out, const double* v, const double* m);
    void (*Mat4Scale)(float* matrix, float factor);
    void (*Mat4sScale)(std::int16_t* matrix, std::int16_t factor);
    void (*Vec4sTransform)(std::int16_t* out, const std::int16_t* v, const std::int16_t* m);
};

// The table; the first call builds it. Never null.
[[nodiscard]] const CPrimitiveTable* GetPrimitives();

// Fills n bytes at dst with 0 through the table's MemFill; returns dst.
void* MemZero(void* dst, std::uint32_t n);

// Overlapping move through the table's MemMove; returns dst.
void* MemMoveForward(void* dst, const void* src, std::uint32_t n);
