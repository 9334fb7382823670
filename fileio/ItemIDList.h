// Folder identifiers ("item-id lists") and CItemIDList, the owner of one.
//
// An identifier is an opaque block from the shell allocator (ShellAllocator.h) that names a
// folder; here it holds the folder's path. Whoever holds one releases it exactly once, through
// FreeIDList or a CItemIDList. Used on the user-interface thread; no locks.
#pragma once

#include <cstdint>

namespace Brim {

struct ITEMIDLIST;  // never defined: the block is only ever handled through the pointer
using LPITEMIDLIST = ITEMIDLIST*;

// The longest folder path an identifier yields; a 260-byte buffer holds it and its terminator.
inline constexpr std::uint32_t MaxIDListPath = 259;

// A new identifier for the folder at path, from the shell allocator. Null for a null or empty
// path, a path longer than MaxIDListPath, or when there is no memory.
LPITEMIDLIST CreateIDListFromPath(const char* path);

// Takes the identifier out of *holder, sets *holder to null, then releases the identifier
// through the shell allocator. Does nothing when holder or *holder is null.
void FreeIDList(LPITEMIDLIST* holder);

class CItemIDList
{
public:
    CItemIDList();
    // Releases the held identifier, if any; an empty object calls nothing.
    virtual ~CItemIDList();
    CItemIDList(const CItemIDList&) = delete;
    CItemIDList& operator=(const CItemIDList&) = delete;

    // Releases the identifier held so far, then holds list.
    void Attach(LPITEMIDLIST list);
    // Lets go of the held identifier without releasing it and returns it; the caller owns it.
    LPITEMIDLIST Detach();
    // Copies the folder path like strncpy: at most size bytes, zero-padded when shorter, not
    // terminated when the path has size characters or more. No identifier gives an empty path.
    void GetPath(char* destination, std::uint32_t size) const;

private:
    LPITEMIDLIST m_pList;  // owned; null when holding none
};

}  // namespace Brim
