#include "gitsel/PositionedFile.h"

#include <windows.h>

#include "fileio/LastError.h"

namespace lintally::gitsel {

PositionedFile::~PositionedFile()
{
    Close();
}

// Every kind of sharing is granted: git may replace or delete a pack while it is read.
bool PositionedFile::Open(const std::string& path)
{
    Close();
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_error = Brim::GetLastErrorLine();
        return false;
    }
    m_handle = handle;
    return true;
}

void PositionedFile::Close()
{
    if (m_handle != nullptr) {
        ::CloseHandle(m_handle);
        m_handle = nullptr;
    }
}

bool PositionedFile::IsOpen() const
{
    return m_handle != nullptr;
}

std::int64_t PositionedFile::ReadAt(std::uint64_t offset, void* out, std::size_t count)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const DWORD want = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!::ReadFile(m_handle, out, want, &got, &at)) {
        if (::GetLastError() == ERROR_HANDLE_EOF) {
            return 0;
        }
        m_error = Brim::GetLastErrorLine();
        return -1;
    }
    return got;
}

bool PositionedFile::Size(std::uint64_t& size)
{
    LARGE_INTEGER bytes{};
    if (!::GetFileSizeEx(m_handle, &bytes)) {
        m_error = Brim::GetLastErrorLine();
        return false;
    }
    size = static_cast<std::uint64_t>(bytes.QuadPart);
    return true;
}

}  // namespace lintally::gitsel
