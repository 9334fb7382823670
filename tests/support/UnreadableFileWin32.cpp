#include "tests/support/UnreadableFile.h"

#include <windows.h>

#include <utility>

namespace lintally::testing {

UnreadableFile::UnreadableFile(std::string path) : m_path(std::move(path))
{
    const HANDLE handle = ::CreateFileA(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_unreadable = handle != INVALID_HANDLE_VALUE;
    m_handle = m_unreadable ? handle : nullptr;
}

UnreadableFile::~UnreadableFile()
{
    if (m_unreadable) {
        ::CloseHandle(m_handle);
    }
}

}  // namespace lintally::testing
