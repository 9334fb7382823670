#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "gitsel/MappedFile.h"

namespace lintally::gitsel {

bool MappedFile::Map(const std::string& path)
{
    Release();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info
    {};
    void* map = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        map =
            ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    }
    ::close(fd);
    if (map == MAP_FAILED) {
        return false;
    }
    m_bytes = static_cast<const unsigned char*>(map);
    m_size = static_cast<std::size_t>(info.st_size);
    return true;
}

void MappedFile::Release()
{
    if (m_bytes != nullptr) {
        ::munmap(const_cast<unsigned char*>(m_bytes), m_size);
        m_bytes = nullptr;
        m_size = 0;
    }
}

}  // namespace lintally::gitsel
