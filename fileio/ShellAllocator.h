// IShellAllocator: the allocator that folder identifiers (item-id lists) come from and must
// go back to, and the process-wide instance of it.
//
// The default instance uses the C heap. Tests replace it to count blocks; replace it only
// while no other thread allocates or releases identifiers. The instance is read and swapped
// atomically, and the caller keeps ownership of an allocator it installs.
#pragma once

#include <cstdint>

namespace Brim {

class IShellAllocator
{
public:
    // A block of size bytes, or null when there is no memory.
    virtual void* Alloc(std::uint32_t size) = 0;
    // Releases a block from Alloc; null is ignored.
    virtual void Free(void* block) = 0;

protected:
    IShellAllocator() = default;
    IShellAllocator(const IShellAllocator&) = default;
    IShellAllocator& operator=(const IShellAllocator&) = default;
    ~IShellAllocator() = default;
};

// The allocator in use; never null.
IShellAllocator* GetShellAllocator();

// Installs allocator (null puts the default back) and returns the one it replaces.
IShellAllocator* SetShellAllocator(IShellAllocator* allocator);

}  // namespace Brim
