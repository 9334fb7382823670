#include "gitsel/MappedFile.h"

#include <utility>

namespace lintally::gitsel {

MappedFile::~MappedFile()
{
    Release();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr)), m_size(std::exchange(other.m_size, 0))
{}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bytes = std::exchange(other.m_bytes, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

}  // namespace lintally::gitsel
