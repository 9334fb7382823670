#include "memory/PrimitiveTable.h"

#include "memory/GenericMatrix.h"
#include "memory/GenericMemory.h"

namespace {

// A function-local static gives the one-time, thread-safe construction; the table is
// filled once and read-only afterwards.
const CPrimitiveTable* BuildTable()
{
    static const CPrimitiveTable table = {
        Generic_x86::MemCopy,
        Generic_x86::MemFill,
        Generic_x86::MemXor,
        Generic_x86::MemAnd,
        Generic_x86::MemCompare,
        Generic_x86::MemMove,
        Generic_x86::Mat4Inverse,
        Generic_x86::Mat4Mul,
        Generic_x86::Mat3Mul,
        Generic_x86::Mat4Determinant,
        nullptr,
        Generic_x86::Vec4Transform,
        Generic_x86::Mat4Sub,
        Generic_x86::Mat4Add,
        nullptr,
        Generic_x86::QuatToMat4,
        Generic_x86::Vec4dTransform,
        Generic_x86::Mat4Scale,
        Generic_x86::Mat4sScale,
        Generic_x86::Vec4sTransform,
    };
    return &table;
}

}  // namespace

const CPrimitiveTable* GetPrimitives()
{
    static const CPrimitiveTable* const cached = BuildTable();
    return cached;
}

void* MemZero(void* dst, std::uint32_t n)
{
    return GetPrimitives()->MemFill(dst, 0, n);
}

void* MemMoveForward(void* dst, const void* src, std::uint32_t n)
{
    return GetPrimitives()->MemMove(dst, src, n);
}
