#include "fileio/FileStream.h"

namespace Brim {

CFileStream::CFileStream(const char* path, std::uint32_t mode, bool create)
{
    m_File.Open(path, create, mode);
}

CFileStream::~CFileStream()
{
    m_File.Close();
}

std::uint32_t CFileStream::Read(void* buffer, std::uint32_t count)
{
    return m_File.Read(buffer, count);
}

std::uint32_t CFileStream::Write(const void* buffer, std::uint32_t count)
{
    return m_File.Write(buffer, count);
}

std::uint32_t CFileStream::GetMode()
{
    return m_File.GetMode();
}

bool CFileStream::Seek(std::int32_t offset, int origin)
{
    return m_File.Seek(offset, origin);
}

std::uint32_t CFileStream::GetPosition()
{
    return m_File.GetPosition();
}

std::uint32_t CFileStream::GetSize()
{
    return m_File.GetSize();
}

bool CFileStream::Truncate()
{
    return m_File.Truncate();
}

IFile& CFileStream::GetFile()
{
    return m_File;
}

}  // namespace Brim
