// Hoard::CRefMemT: one growable heap block whose first byte is a reference count.
//
// The payload follows the count byte. The holder owns its block; ShareFrom lets a second
// holder use the same block (count 2 or more), and a holder that is about to touch a shared
// block takes a private copy first. Blocks only grow. Raw copies go through the primitives table.
// Not copyable; one thread at a time per holder. Allocation failure, and a size that does not fit
// in 32 bits, raise std::bad_alloc; nothing else throws.
#pragma once

#include "memory/AutoPtr.h"
#include "memory/PrimitiveTable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>

namespace Hoard {

template <class T, unsigned MaxRef>
class CRefMemT
{
    static_assert(sizeof(T) == 1, "a block is counted and sized in bytes");
    static_assert(MaxRef >= 1 && MaxRef <= 255, "the count must fit in the count byte");

public:
    // Realloc flags.
    static constexpr std::uint32_t KeepContents = 1;  // copy min(old, new) bytes across
    static constexpr std::uint32_t Force = 2;         // reallocate even when big enough
    static constexpr std::uint32_t LetGoOld = 4;      // forget the old block, do not release it

    CRefMemT() = default;
    CRefMemT(const CRefMemT&) = delete;
    CRefMemT& operator=(const CRefMemT&) = delete;
    virtual ~CRefMemT() { Release(); }

    // Replaces the block by one of `size` bytes rounded up to a multiple of `step`. Returns
    // false (and changes nothing) when the block already has that size and Force is clear.
    bool Realloc(std::uint32_t size, std::uint32_t flags, std::uint32_t step)
    {
        if (m_nSize >= size && (flags & Force) == 0)
            return false;
        size = RoundUp(std::max<std::uint32_t>(size, 1), std::max<std::uint32_t>(step, 1));
        CAutoPtr<T> fresh;
        fresh.Alloc(std::size_t{size} + kLead);
        T* newBlock = fresh.Get() + kLead;
        T* oldBlock = GetBlock();
        if ((flags & KeepContents) != 0 && oldBlock != nullptr && m_nSize != 0)
            GetPrimitives()->MemCopy(newBlock, oldBlock, std::min(m_nSize, size));
        else
            newBlock[0] = 0;  // no count yet; the caller sets it
        if ((flags & LetGoOld) != 0)
            m_Block.Detach();
        else
            m_Block.Free();
        m_Block.Attach(fresh.Detach());
        m_nSize = size;
        return true;
    }

    // Makes sure of a block of the holder's own with room for `bytes` payload bytes (at
    // least bytes + 1 in all), keeping the contents.
    void Reserve(std::uint32_t bytes, std::uint32_t step)
    {
        if (bytes == UINT32_MAX)
            throw std::bad_alloc();
        const std::uint32_t needed = bytes + 1;
        T* shared = GetBlock();
        if (IsOwn()) {
            if (Realloc(needed, KeepContents, step))
                GetBlock()[0] = 1;
        } else {
            Realloc(needed, KeepContents | Force | LetGoOld, step);
            GetBlock()[0] = 1;
            if (shared != nullptr)
                shared[0] = static_cast<T>(shared[0] - 1);
        }
        MakeOwn();
    }

    // The payload (byte 1 of the block) after making the block the holder's own; null while
    // the holder has no block.
    T* GetData()
    {
        MakeOwn();
        T* block = GetBlock();
        return block != nullptr ? block + 1 : nullptr;
    }

    // Releases this holder's block and becomes a further holder of other's block, raising
    // its count. Returns false, changing nothing, when other has no block or its count has
    // reached MaxRef.
    bool ShareFrom(CRefMemT& other)
    {
        T* block = other.GetBlock();
        if (&other == this || block == nullptr || block[0] >= MaxRef)
            return false;
        if (block[0] == 0)
            block[0] = 1;
        Release();
        block[0] = static_cast<T>(block[0] + 1);
        m_Block.Attach(other.m_Block.Get());
        m_nSize = other.m_nSize;
        return true;
    }

    // The block's size in bytes, count byte included; 0 without a block.
    std::uint32_t GetSize() const { return m_nSize; }

    // The block itself (its count byte first), or null; does not make it the holder's own.
    T* GetBlock() const { return m_Block.IsNull() ? nullptr : m_Block.Get() + kLead; }

    // True when p points into the block; callers use it to copy their input aside before a
    // reallocation could free it.
    bool Contains(const void* p) const
    {
        const T* block = GetBlock();
        if (block == nullptr || p == nullptr)
            return false;
        const auto at = reinterpret_cast<std::uintptr_t>(p);
        const auto begin = reinterpret_cast<std::uintptr_t>(block);
        return at >= begin && at - begin < m_nSize;
    }

private:
    // The block starts this many bytes into its allocation, so that the payload after the
    // count byte is aligned for any element type.
    static constexpr std::size_t kLead = alignof(std::max_align_t) - 1;

    static std::uint32_t RoundUp(std::uint32_t size, std::uint32_t step)
    {
        const std::uint32_t rest = size % step;
        if (rest == 0)
            return size;
        if (size > UINT32_MAX - (step - rest))
            throw std::bad_alloc();
        return size + (step - rest);
    }

    bool IsOwn() const
    {
        const T* block = GetBlock();
        return block != nullptr && m_nSize != 0 && block[0] <= 1;
    }

    // A shared block is replaced by a private copy with count 1; the other holders keep the
    // old block, whose count drops by the share given up.
    void MakeOwn()
    {
        T* old = GetBlock();
        if (old == nullptr || old[0] <= 1)
            return;
        Realloc(m_nSize, KeepContents | Force | LetGoOld, 1);
        GetBlock()[0] = 1;
        old[0] = static_cast<T>(old[0] - 1);
    }

    void Release()
    {
        T* block = GetBlock();
        if (block != nullptr && block[0] > 1) {
            block[0] = static_cast<T>(block[0] - 1);
            m_Block.Detach();
        } else {
            m_Block.Free();
        }
        m_nSize = 0;
    }

    CAutoPtr<T> m_Block;  // the allocation; the block proper starts kLead bytes in
    std::uint32_t m_nSize = 0;
};

}  // namespace Hoard
