// Hoard::CList: a growable list of plain values (pointers, numbers) in one counted block.
//
// Element i takes sizeof(T) bytes at payload offset sizeof(T) * i, so a list of n elements
// holds sizeof(T) * n + 1 bytes with its count byte. The list grows exactly, on every
// insertion beyond its room, and does not own what pointer elements point to. Not copyable;
// one thread at a time. Allocation failure raises std::bad_alloc; nothing else throws.
#pragma once

#include "memory/AutoPtr.h"
#include "memory/PrimitiveTable.h"
#include "memory/RefMem.h"

#include <cstdint>
#include <new>
#include <type_traits>

namespace Hoard {

template <class T>
class CList
{
    static_assert(std::is_trivially_copyable_v<T>, "elements are moved as raw bytes");

public:
    // Reserves room for `room` elements up front.
    explicit CList(std::uint32_t room = 16) { m_Storage.Reserve(Bytes(room), 1); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    virtual ~CList() = default;

    std::uint32_t GetCount() const { return m_nCount; }

    // Element i; i must be below the count.
    T& GetAt(std::uint32_t i) { return Items()[i]; }

    // Inserts n elements copied from items before position index (index == count appends).
    // Returns n; 0, with nothing changed, when items is null, n is 0 or index is beyond the
    // count.
    std::uint32_t InsertAt(std::uint32_t index, const T* items, std::uint32_t n)
    {
        if (index > m_nCount)
            return 0;
        if (n != 0 && m_Storage.Contains(items))
            return InsertCopyOf(index, items, n);
        m_Storage.Reserve(Bytes(std::uint64_t{m_nCount} + n), 1);
        if (items == nullptr || n == 0)
            return 0;
        unsigned char* data = m_Storage.GetData();
        const std::uint32_t at = index * sizeof(T);
        if (index < m_nCount)
            MemMoveForward(data + at + n * sizeof(T), data + at, (m_nCount - index) * sizeof(T));
        GetPrimitives()->MemCopy(data + at, items, n * sizeof(T));
        m_nCount += n;
        return n;
    }

    // The block's size in bytes, count byte included.
    std::uint32_t GetBlockSize() const { return m_Storage.GetSize(); }

private:
    // Byte size of `count` elements; it must leave room for the count byte in 32 bits.
    static std::uint32_t Bytes(std::uint64_t count)
    {
        const std::uint64_t bytes = count * sizeof(T);
        if (bytes >= UINT32_MAX)
            throw std::bad_alloc();
        return static_cast<std::uint32_t>(bytes);
    }

    T* Items() { return reinterpret_cast<T*>(m_Storage.GetData()); }

    // Items that lie in the list's own block would be freed by the reallocation that makes
    // room for them, so they are copied aside first.
    std::uint32_t InsertCopyOf(std::uint32_t index, const T* items, std::uint32_t n)
    {
        CAutoPtr<unsigned char> copy;
        copy.Alloc(Bytes(n));
        GetPrimitives()->MemCopy(copy.Get(), items, n * sizeof(T));
        return InsertAt(index, reinterpret_cast<const T*>(copy.Get()), n);
    }

    std::uint32_t m_nCount = 0;
    CRefMemT<unsigned char, 255> m_Storage;
};

}  // namespace Hoard
