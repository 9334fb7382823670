// CStreamMgr: opens a stream by path and owns it, or lends out a stream it was given.
//
// Three states: empty (no stream), borrowing (the constructor's stream, never destroyed
// here) and owning (a CFileStream that Open created; the destructor destroys it, which
// closes its file). No locks: one thread creates, uses and destroys a manager.
#pragma once

#include "fileio/FileStream.h"
#include "fileio/Stream.h"

#include <cstdint>

namespace Brim {

class CStreamMgr
{
public:
    // Borrows stream (may be null); the manager never destroys it.
    explicit CStreamMgr(IStream* stream = nullptr);
    virtual ~CStreamMgr();
    CStreamMgr(const CStreamMgr&) = delete;
    CStreamMgr& operator=(const CStreamMgr&) = delete;

    // Opens path as an owned CFileStream. A stream the manager already owns is destroyed
    // first, so the same file can be opened again under an exclusive lock. When the new open
    // fails, a borrowed stream stays in use; GetStream() tells the outcome.
    void Open(const char* path, std::uint32_t mode, bool create);

    // The stream in use; null when there is none.
    IStream* GetStream() const;

private:
    IStream* m_pStream;     // in use; owned only when equal to m_pOwned
    CFileStream* m_pOwned;  // opened here, destroyed here
};

}  // namespace Brim
