#include <windows.h>

#include "gitsel/MappedFile.h"

namespace lintally::gitsel {

// The view keeps the file mapped after both handles close. Every kind of sharing is granted:
// git may replace or delete a pack while its index is searched.
bool MappedFile::Map(const std::string& path)
{
    Release();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER size{};
    HANDLE mapping = nullptr;
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        mapping = ::CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    }
    ::CloseHandle(file);
    if (mapping == nullptr) {
        return false;
    }
    void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ::CloseHandle(mapping);
    if (view == nullptr) {
        return false;
    }
    m_bytes = static_cast<const unsigned char*>(view);
    m_size = static_cast<std::size_t>(size.QuadPart);
    return true;
}

void MappedFile::Release()
{
    if (m_bytes != nullptr) {
        ::UnmapViewOfFile(m_bytes);
        m_bytes = nullptr;
        m_size = 0;
    }
}

}  // namespace lintally::gitsel
