#include "fileio/ShellAllocator.h"

#include <atomic>
#include <cstdlib>

namespace Brim {

namespace {

class CHeapAllocator final : public IShellAllocator
{
public:
    void* Alloc(std::uint32_t size) override { return std::malloc(size == 0 ? 1 : size); }
    void Free(void* block) override { std::free(block); }
};

CHeapAllocator g_heapAllocator;
std::atomic<IShellAllocator*> g_allocator{&g_heapAllocator};

}  // namespace

IShellAllocator* GetShellAllocator()
{
    return g_allocator.load(std::memory_order_acquire);
}

IShellAllocator* SetShellAllocator(IShellAllocator* allocator)
{
    IShellAllocator* next = allocator != nullptr ? allocator : &g_heapAllocator;
    return g_allocator.exchange(next, std::memory_order_acq_rel);
}

}  // namespace Brim
