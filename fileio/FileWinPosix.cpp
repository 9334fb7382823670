// CFileWin over POSIX descriptors.
//
// Files open with O_CLOEXEC and O_NONBLOCK; the non-blocking flag is cleared once fstat shows
// a regular file, so a FIFO or device named like a source file can never block an open or a
// read. The share flags map onto advisory flock locks: no share flag locks exclusively, read
// sharing alone takes a shared lock, write sharing takes none. errno is the error code.
#include "fileio/FileWin.h"

#include "fileio/DescriptorIo.h"
#include "fileio/UnixTime.h"
#include "memory/PrimitiveTable.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace Brim {

namespace {

void CloseKeepingError(int fd)
{
    const int code = errno;
    ::close(fd);
    errno = code;
}

// Refuses, before anything is opened, a path that exists and is not a regular file, so that
// opening a device has no side effect. A missing path is left to open() to report or create.
bool IsRegularOrMissing(const char* path)
{
    struct stat info = {};
    if (::stat(path, &info) != 0 || S_ISREG(info.st_mode))
        return true;
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return false;
}

int AccessFlags(std::uint32_t mode)
{
    const bool read = (mode & ModeRead) != 0;
    const bool write = (mode & ModeWrite) != 0;
    if (read && write)
        return O_RDWR;
    // Neither flag opens for reading: enough to ask for attributes, sizes and times.
    return write ? O_WRONLY : O_RDONLY;
}

// Opens without blocking and keeps the descriptor only for a regular file (the path may have
// changed since IsRegularOrMissing looked at it). Returns -1 with errno set on failure.
int OpenRegular(const char* path, int flags)
{
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat info = {};
    if (::fstat(fd, &info) != 0) {
        CloseKeepingError(fd);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return -1;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) < 0) {
        CloseKeepingError(fd);
        return -1;
    }
    return fd;
}

// False only when another open holds a conflicting lock (or the lock call itself is broken);
// a file system without locks does not stop the open.
bool TakeShareLock(int fd, std::uint32_t mode)
{
    if ((mode & ModeShareWrite) != 0)
        return true;
    const int operation = ((mode & ModeShareRead) != 0 ? LOCK_SH : LOCK_EX) | LOCK_NB;
    int result;
    do
        result = ::flock(fd, operation);
    while (result != 0 && errno == EINTR);
    return result == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOTSUP;
}

void FillRecord(const struct statx_timestamp& stamp, FileDateTime* record)
{
    if (record != nullptr)
        UnixTimeToFileDateTime({stamp.tv_sec, stamp.tv_nsec}, *record);
}

}  // namespace

std::uint32_t CFileWin::Read(void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || count == 0)
        return 0;
    const ssize_t done = ReadOnce(m_hFile, buffer, count);
    return done < 0 ? 0 : static_cast<std::uint32_t>(done);
}

std::uint32_t CFileWin::Write(const void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || count == 0)
        return 0;
    const ssize_t done = WriteOnce(m_hFile, buffer, count);
    return done < 0 ? 0 : static_cast<std::uint32_t>(done);
}

bool CFileWin::Seek(std::int32_t offset, int origin)
{
    const int whence = origin == SeekBegin ? SEEK_SET : origin == SeekEnd ? SEEK_END : SEEK_CUR;
    // lseek refuses a resulting position before the start (EINVAL) and leaves the position.
    return ::lseek(m_hFile, offset, whence) >= 0;
}

std::uint32_t CFileWin::GetPosition()
{
    const off_t position = ::lseek(m_hFile, 0, SEEK_CUR);
    return position < 0 ? 0xFFFFFFFFu : Low32(position);
}

std::uint32_t CFileWin::GetSize()
{
    struct stat info = {};
    return ::fstat(m_hFile, &info) != 0 ? 0 : Low32(info.st_size);
}

bool CFileWin::Open(const char* path, bool create, std::uint32_t mode)
{
    Close();
    if (path == nullptr) {
        errno = EINVAL;
        return false;
    }
    const std::size_t length = ::strnlen(path, NameSize);
    if (length >= NameSize) {
        errno = ENAMETOOLONG;
        return false;
    }
    if (!IsRegularOrMissing(path))
        return false;
    const int fd = OpenRegular(path, AccessFlags(mode) | (create ? O_CREAT : 0));
    if (fd < 0)
        return false;
    if (!TakeShareLock(fd, mode)) {
        CloseKeepingError(fd);
        return false;
    }
    return Adopt(fd, path, length, mode);
}

void CFileWin::Close()
{
    if (m_hFile != ClosedHandle) {
        // The descriptor is gone whatever close() reports; retrying could close another one.
        CloseKeepingError(m_hFile);
        m_hFile = ClosedHandle;
    }
    MemZero(m_szName, NameSize);
}

bool CFileWin::SetSize(std::int32_t size)
{
    if (!Seek(size, SeekBegin))
        return false;
    int result;
    do
        result = ::ftruncate(m_hFile, size);
    while (result != 0 && errno == EINTR);
    return result == 0;
}

void CFileWin::GetTime(FileDateTime* created, FileDateTime* modified)
{
    if (created == nullptr && modified == nullptr)
        return;
    if (created != nullptr)
        MemZero(created, sizeof *created);
    if (modified != nullptr)
        MemZero(modified, sizeof *modified);
    struct statx info = {};
    if (::statx(m_hFile, "", AT_EMPTY_PATH, STATX_BTIME | STATX_MTIME, &info) == 0) {
        // Not every file system keeps a birth time; without one the record stays zero.
        if ((info.stx_mask & STATX_BTIME) != 0)
            FillRecord(info.stx_btime, created);
        if ((info.stx_mask & STATX_MTIME) != 0)
            FillRecord(info.stx_mtime, modified);
        return;
    }
    // A kernel or sandbox without statx still gives the last-write time through fstat.
    struct stat fallback = {};
    if (errno != ENOSYS || modified == nullptr || ::fstat(m_hFile, &fallback) != 0)
        return;
    const UnixTime time{fallback.st_mtim.tv_sec,
                        static_cast<std::uint32_t>(fallback.st_mtim.tv_nsec)};
    UnixTimeToFileDateTime(time, *modified);
}

std::uint32_t CFileWin::SetTime(const FileDateTime* created, const FileDateTime* modified)
{
    if (modified == nullptr) {
        // The creation time cannot be set here; a call that asks only for it sets nothing.
        if (created != nullptr)
            errno = ENOTSUP;
        return 0;
    }
    UnixTime time{};
    if (!FileDateTimeToUnixTime(*modified, time)) {
        errno = EINVAL;
        return 0;
    }
    // Times change only through a file opened for writing, as with the other writes.
    const int status = ::fcntl(m_hFile, F_GETFL);
    if (status < 0)
        return 0;
    if ((status & O_ACCMODE) == O_RDONLY) {
        errno = EBADF;
        return 0;
    }
    const struct timespec times[2] = {
        {0, UTIME_OMIT}, {static_cast<time_t>(time.seconds), static_cast<long>(time.nanoseconds)}};
    return ::futimens(m_hFile, times) == 0 ? 1 : 0;
}

}  // namespace Brim
