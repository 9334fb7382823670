// CFileWin over Win32 file handles: one kernel32 call per operation, narrow-character paths.
//
// The open mode maps straight onto CreateFileA: ModeRead and ModeWrite become GENERIC_READ
// and GENERIC_WRITE, the share flags become FILE_SHARE_READ, _WRITE and _DELETE (none means
// exclusive), and create chooses OPEN_ALWAYS over OPEN_EXISTING. Times are UTC FILETIMEs.
// GetLastError is the error code.
#include "fileio/FileWin.h"

#include "memory/PrimitiveTable.h"

#include <windows.h>
#include <cstring>

namespace Brim {

namespace {

DWORD DesiredAccess(std::uint32_t mode)
{
    DWORD access = 0;
    if ((mode & ModeRead) != 0)
        access |= GENERIC_READ;
    if ((mode & ModeWrite) != 0)
        access |= GENERIC_WRITE;
    return access;
}

DWORD ShareMode(std::uint32_t mode)
{
    DWORD share = 0;
    if ((mode & ModeShareRead) != 0)
        share |= FILE_SHARE_READ;
    if ((mode & ModeShareWrite) != 0)
        share |= FILE_SHARE_WRITE;
    if ((mode & ModeShareDelete) != 0)
        share |= FILE_SHARE_DELETE;
    return share;
}

// Device names (CON, NUL, COM1, pipes) open like files; a console read would wait for a
// user, so only handles on disk files are kept.
bool IsDiskFile(HANDLE handle)
{
    return ::GetFileType(handle) == FILE_TYPE_DISK;
}

void FillRecord(const FILETIME& time, FileDateTime* record)
{
    SYSTEMTIME system{};
    if (record == nullptr || !::FileTimeToSystemTime(&time, &system))
        return;
    record->year = system.wYear;
    record->month = system.wMonth;
    record->day = system.wDay;
    record->hour = system.wHour;
    record->minute = system.wMinute;
    record->second = system.wSecond;
    record->millisecond = system.wMilliseconds;
}

// False when the record is not a real date and time; the caller then sets nothing rather
// than hand an unconverted time to the system.
bool ToFileTime(const FileDateTime& record, FILETIME& out)
{
    SYSTEMTIME system;
    MemZero(&system, sizeof system);
    system.wYear = static_cast<WORD>(record.year);
    system.wMonth = static_cast<WORD>(record.month);
    system.wDay = static_cast<WORD>(record.day);
    system.wHour = static_cast<WORD>(record.hour);
    system.wMinute = static_cast<WORD>(record.minute);
    system.wSecond = static_cast<WORD>(record.second);
    system.wMilliseconds = static_cast<WORD>(record.millisecond);
    return ::SystemTimeToFileTime(&system, &out) != FALSE;
}

}  // namespace

std::uint32_t CFileWin::Read(void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || count == 0)
        return 0;
    DWORD done = 0;
    return ::ReadFile(m_hFile, buffer, count, &done, nullptr) ? done : 0;
}

std::uint32_t CFileWin::Write(const void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || count == 0)
        return 0;
    DWORD done = 0;
    return ::WriteFile(m_hFile, buffer, count, &done, nullptr) ? done : 0;
}

bool CFileWin::Seek(std::int32_t offset, int origin)
{
    const DWORD method = origin == SeekBegin ? FILE_BEGIN
                         : origin == SeekEnd ? FILE_END
                                             : FILE_CURRENT;
    return ::SetFilePointer(m_hFile, offset, nullptr, method) != INVALID_SET_FILE_POINTER;
}

std::uint32_t CFileWin::GetPosition()
{
    return ::SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
}

std::uint32_t CFileWin::GetSize()
{
    const DWORD size = ::GetFileSize(m_hFile, nullptr);
    if (size != INVALID_FILE_SIZE)
        return size;
    // 0xFFFFFFFF is also a real low part; only the error code tells the two apart.
    DWORD high = 0;
    ::SetLastError(NO_ERROR);
    const DWORD again = ::GetFileSize(m_hFile, &high);
    if (again != INVALID_FILE_SIZE)
        return again;
    return ::GetLastError() != NO_ERROR ? 0 : INVALID_FILE_SIZE;
}

bool CFileWin::Open(const char* path, bool create, std::uint32_t mode)
{
    Close();
    if (path == nullptr) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    // The narrow calls refuse longer paths already, unless long paths are switched on for
    // the process; the name field must hold the whole path either way.
    const std::size_t length = ::strnlen(path, NameSize);
    if (length >= NameSize) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    const HANDLE handle =
        ::CreateFileA(path, DesiredAccess(mode), ShareMode(mode), nullptr,
                      create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (!IsDiskFile(handle)) {
        ::CloseHandle(handle);
        ::SetLastError(ERROR_BAD_FILE_TYPE);
        return false;
    }
    return Adopt(handle, path, length, mode);
}

void CFileWin::Close()
{
    if (m_hFile != ClosedHandle) {
        ::CloseHandle(m_hFile);
        m_hFile = ClosedHandle;
    }
    MemZero(m_szName, NameSize);
}

bool CFileWin::SetSize(std::int32_t size)
{
    if (!Seek(size, SeekBegin))
        return false;
    return ::SetEndOfFile(m_hFile) == TRUE;
}

void CFileWin::GetTime(FileDateTime* created, FileDateTime* modified)
{
    if (created == nullptr && modified == nullptr)
        return;
    if (created != nullptr)
        MemZero(created, sizeof *created);
    if (modified != nullptr)
        MemZero(modified, sizeof *modified);
    FILETIME creation{}, lastWrite{};
    if (!::GetFileTime(m_hFile, &creation, nullptr, &lastWrite))
        return;
    FillRecord(creation, created);
    FillRecord(lastWrite, modified);
}

std::uint32_t CFileWin::SetTime(const FileDateTime* created, const FileDateTime* modified)
{
    std::uint32_t count = 0;
    FILETIME creation{}, lastWrite{};
    if (created != nullptr) {
        if (!ToFileTime(*created, creation))
            return 0;
        ++count;
    }
    if (modified != nullptr) {
        if (!ToFileTime(*modified, lastWrite))
            return 0;
        ++count;
    }
    if (count == 0)
        return 0;
    // Windows sets times only through a handle with write access; some emulators let a
    // read-only handle do it, so the rule is kept here as well.
    if ((m_dwMode & ModeWrite) == 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    const bool set = ::SetFileTime(m_hFile, created != nullptr ? &creation : nullptr, nullptr,
                                   modified != nullptr ? &lastWrite : nullptr);
    return set ? count : 0;
}

}  // namespace Brim
