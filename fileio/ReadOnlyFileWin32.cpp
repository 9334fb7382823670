// ReadOnlyFile over Win32 handles: every share flag is granted, so neither this open nor
// any other open is refused because of it; only disk files open (no consoles or pipes).
#include "fileio/ReadOnlyFile.h"

#include <windows.h>

namespace Brim {

bool ReadOnlyFile::Open(const char* path)
{
    Close();
    if (path == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const HANDLE handle =
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        ::SetLastError(ERROR_BAD_FILE_TYPE);
        return false;
    }
    m_handle = handle;
    m_failed = false;
    return true;
}

void ReadOnlyFile::Close()
{
    if (m_handle != Closed()) {
        ::CloseHandle(m_handle);
        m_handle = Closed();
    }
}

std::uint32_t ReadOnlyFile::Read(void* buffer, std::uint32_t count)
{
    DWORD done = 0;
    if (buffer == nullptr || count == 0 || m_handle == Closed())
        return 0;
    if (!::ReadFile(m_handle, buffer, count, &done, nullptr)) {
        m_failed = true;
        return 0;
    }
    return done;
}

bool ReadOnlyFile::Seek(std::int32_t offset, int origin)
{
    const DWORD method = origin == SeekBegin ? FILE_BEGIN
                         : origin == SeekEnd ? FILE_END
                                             : FILE_CURRENT;
    LARGE_INTEGER distance{};
    distance.QuadPart = offset;
    return m_handle != Closed() && ::SetFilePointerEx(m_handle, distance, nullptr, method) != 0;
}

std::uint32_t ReadOnlyFile::GetPosition()
{
    LARGE_INTEGER position{};
    if (m_handle == Closed() ||
        !::SetFilePointerEx(m_handle, LARGE_INTEGER{}, &position, FILE_CURRENT))
        return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(position.QuadPart & 0xFFFFFFFF);
}

std::uint32_t ReadOnlyFile::GetSize()
{
    LARGE_INTEGER size{};
    if (m_handle == Closed() || !::GetFileSizeEx(m_handle, &size))
        return 0;
    return static_cast<std::uint32_t>(size.QuadPart & 0xFFFFFFFF);
}

bool ReadOnlyFile::GetByteSize(std::uint64_t& size)
{
    LARGE_INTEGER whole{};
    if (m_handle == Closed() || !::GetFileSizeEx(m_handle, &whole) || whole.QuadPart < 0)
        return false;
    size = static_cast<std::uint64_t>(whole.QuadPart);
    return true;
}

}  // namespace Brim
