// ReadOnlyFile over POSIX descriptors. No flock is ever taken (advisory locks only bind those
// who ask for them), and the descriptor stays non-blocking after the regular-file check:
// some files that claim to be regular (/proc/kmsg) would otherwise block a read for ever.
#include "fileio/ReadOnlyFile.h"

#include "fileio/DescriptorIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace Brim {

bool ReadOnlyFile::Open(const char* path)
{
    return OpenAt(AT_FDCWD, path);
}

namespace {

int OpenNonBlocking(int folderFd, const char* name, int extraFlags)
{
    int fd;
    do
        fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | extraFlags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

bool ReadOnlyFile::OpenAt(int folderFd, const char* name)
{
    static_assert(kCurrentFolder == AT_FDCWD);
    Close();
    if (name == nullptr) {
        errno = EINVAL;
        return false;
    }
    const int fd = OpenNonBlocking(folderFd, name, 0);
    if (fd < 0)
        return false;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int code = info.st_mode == 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = code;
        return false;
    }
    Adopt(fd, static_cast<std::uint64_t>(info.st_size));
    return true;
}

bool ReadOnlyFile::OpenListedAt(int folderFd, const char* name)
{
    Close();
    if (name == nullptr) {
        errno = EINVAL;
        return false;
    }
    const int fd = OpenNonBlocking(folderFd, name, O_NOFOLLOW);
    if (fd < 0)
        return errno == ELOOP && OpenAt(folderFd, name);
    Adopt(fd, kSizeUnknown);
    return true;
}

void ReadOnlyFile::AdoptListed(int fd)
{
    Close();
    Adopt(fd, kSizeUnknown);
}

int ReadOnlyFile::Release()
{
    const int fd = m_handle;
    m_handle = Closed();
    return fd;
}

void ReadOnlyFile::Adopt(int fd, std::uint64_t size)
{
    m_handle = fd;
    m_openSize = size;
    m_position = 0;
    m_atEnd = false;
    m_failed = false;
}

// A listed file's size, looked up once its first read fills the buffer; false when it is
// not a regular file after all (swapped for something else since the listing).
bool ReadOnlyFile::LearnSize()
{
    struct stat info = {};
    if (::fstat(m_handle, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    m_openSize = static_cast<std::uint64_t>(info.st_size);
    return true;
}

void ReadOnlyFile::Close()
{
    if (m_handle != Closed()) {
        ::close(m_handle);
        m_handle = Closed();
    }
}

std::uint32_t ReadOnlyFile::Read(void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || count == 0 || m_handle == Closed() || m_atEnd)
        return 0;
    const ssize_t done = ReadOnce(m_handle, buffer, count);
    // EAGAIN (nothing there yet) ends the stream like any other failure.
    if (done < 0)
        m_failed = true;
    // An empty listed file is confirmed too: a pipe with no writer reads as empty.
    if (done == 0 && m_openSize == kSizeUnknown && m_position == 0 && !LearnSize())
        m_failed = true;
    if (done <= 0)
        return 0;
    m_position += static_cast<std::uint64_t>(done);
    const bool shortRead =
        static_cast<std::size_t>(done) < std::min<std::size_t>(count, kLargestTransfer);
    if (m_openSize == kSizeUnknown) {
        if (!shortRead && !LearnSize()) {
            m_failed = true;
            m_atEnd = true;
            return 0;
        }
        m_atEnd = shortRead;
        return static_cast<std::uint32_t>(done);
    }
    // Files the system sizes as 0 (/proc) are read until a read gives nothing.
    m_atEnd = shortRead && m_openSize > 0 && m_position >= m_openSize;
    return static_cast<std::uint32_t>(done);
}

bool ReadOnlyFile::Seek(std::int32_t offset, int origin)
{
    const int whence = origin == SeekBegin ? SEEK_SET : origin == SeekEnd ? SEEK_END : SEEK_CUR;
    const off_t position = m_handle == Closed() ? -1 : ::lseek(m_handle, offset, whence);
    if (position < 0)
        return false;
    m_position = static_cast<std::uint64_t>(position);
    m_atEnd = false;
    return true;
}

std::uint32_t ReadOnlyFile::GetPosition()
{
    const off_t position = m_handle == Closed() ? -1 : ::lseek(m_handle, 0, SEEK_CUR);
    return position < 0 ? 0xFFFFFFFFu : Low32(position);
}

std::uint32_t ReadOnlyFile::GetSize()
{
    struct stat info = {};
    return m_handle == Closed() || ::fstat(m_handle, &info) != 0 ? 0 : Low32(info.st_size);
}

bool ReadOnlyFile::GetByteSize(std::uint64_t& size)
{
    struct stat info = {};
    if (m_handle == Closed() || ::fstat(m_handle, &info) != 0 || info.st_size < 0) {
        return false;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

}  // namespace Brim
