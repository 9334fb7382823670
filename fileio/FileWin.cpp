// The parts of CFileWin that are the same on every system; the system calls live in
// FileWinPosix.cpp and FileWinWin32.cpp.
#include "fileio/FileWin.h"

#include "fileio/LastError.h"
#include "memory/PrimitiveTable.h"

namespace Brim {

CFileWin::CFileWin() : m_dwMode(0), m_hFile(ClosedHandle)
{
    MemZero(m_szName, NameSize);
    MemZero(m_szError, ErrorTextSize);
}

CFileWin::~CFileWin()
{
    Close();
}

std::uint32_t CFileWin::GetMode()
{
    return m_dwMode;
}

bool CFileWin::Truncate()
{
    return SetSize(0);
}

const char* CFileWin::GetName()
{
    return m_szName;
}

bool CFileWin::Adopt(Handle handle, const char* path, std::size_t length, std::uint32_t mode)
{
    m_hFile = handle;
    GetPrimitives()->MemCopy(m_szName, path, static_cast<std::uint32_t>(length) + 1);
    m_dwMode = mode;
    return true;
}

const char* CFileWin::GetErrorText()
{
    GetLastErrorText(m_szError, ErrorTextSize);
    return m_szError;
}

}  // namespace Brim
