#include "fileio/StreamMgr.h"

#include <new>

namespace Brim {

CStreamMgr::CStreamMgr(IStream* stream) : m_pStream(stream), m_pOwned(nullptr) {}

CStreamMgr::~CStreamMgr()
{
    delete m_pOwned;
    m_pOwned = nullptr;
    m_pStream = nullptr;
}

void CStreamMgr::Open(const char* path, std::uint32_t mode, bool create)
{
    if (m_pOwned != nullptr) {
        if (m_pStream == m_pOwned)
            m_pStream = nullptr;
        delete m_pOwned;
        m_pOwned = nullptr;
    }
    // An allocation failure is a failed open: the state stays as it is.
    auto* stream = new (std::nothrow) CFileStream(path, mode, create);
    if (stream == nullptr)
        return;
    const char* name = stream->GetFile().GetName();
    if (name != nullptr && name[0] != '\0') {
        m_pOwned = stream;
        m_pStream = stream;
        return;
    }
    delete stream;
}

IStream* CStreamMgr::GetStream() const
{
    return m_pStream;
}

}  // namespace Brim
