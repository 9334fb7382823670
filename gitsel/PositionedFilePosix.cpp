#include "gitsel/PositionedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace lintally::gitsel {

PositionedFile::~PositionedFile()
{
    Close();
}

bool PositionedFile::Open(const std::string& path)
{
    Close();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = std::strerror(errno);
        return false;
    }
    return true;
}

void PositionedFile::Close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool PositionedFile::IsOpen() const
{
    return m_fd >= 0;
}

std::int64_t PositionedFile::ReadAt(std::uint64_t offset, void* out, std::size_t count)
{
    for (;;) {
        const ssize_t got = ::pread(m_fd, out, count, static_cast<off_t>(offset));
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            m_error = std::strerror(errno);
            return -1;
        }
    }
}

bool PositionedFile::Size(std::uint64_t& size)
{
    struct stat info
    {};
    if (::fstat(m_fd, &info) != 0) {
        m_error = std::strerror(errno);
        return false;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

}  // namespace lintally::gitsel
