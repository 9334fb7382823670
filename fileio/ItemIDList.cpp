#include "fileio/ItemIDList.h"

#include "fileio/ShellAllocator.h"
#include "memory/PrimitiveTable.h"

#include <cstring>

namespace Brim {

namespace {

// The block holds the path and its terminator and nothing else.
const char* PathOf(LPITEMIDLIST list)
{
    return reinterpret_cast<const char*>(list);
}

}  // namespace

LPITEMIDLIST CreateIDListFromPath(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return nullptr;
    const std::size_t length = ::strnlen(path, MaxIDListPath + 1);
    if (length > MaxIDListPath)
        return nullptr;
    const auto bytes = static_cast<std::uint32_t>(length) + 1;
    void* block = GetShellAllocator()->Alloc(bytes);
    if (block == nullptr)
        return nullptr;
    GetPrimitives()->MemCopy(block, path, bytes);
    return static_cast<LPITEMIDLIST>(block);
}

void FreeIDList(LPITEMIDLIST* holder)
{
    if (holder == nullptr || *holder == nullptr)
        return;
    LPITEMIDLIST list = *holder;
    *holder = nullptr;
    GetShellAllocator()->Free(list);
}

CItemIDList::CItemIDList() : m_pList(nullptr) {}

CItemIDList::~CItemIDList()
{
    FreeIDList(&m_pList);
}

void CItemIDList::Attach(LPITEMIDLIST list)
{
    FreeIDList(&m_pList);
    m_pList = list;
}

LPITEMIDLIST CItemIDList::Detach()
{
    LPITEMIDLIST list = m_pList;
    m_pList = nullptr;
    return list;
}

void CItemIDList::GetPath(char* destination, std::uint32_t size) const
{
    if (destination == nullptr)
        return;
    char path[MaxIDListPath + 1] = {};
    if (m_pList != nullptr) {
        const std::size_t length = ::strnlen(PathOf(m_pList), sizeof path);
        if (length <= MaxIDListPath)
            GetPrimitives()->MemCopy(path, PathOf(m_pList), static_cast<std::uint32_t>(length));
    }
    const auto length = static_cast<std::uint32_t>(std::strlen(path));
    const std::uint32_t copied = length < size ? length : size;
    GetPrimitives()->MemCopy(destination, path, copied);
    MemZero(destination + copied, size - copied);
}

}  // namespace Brim
