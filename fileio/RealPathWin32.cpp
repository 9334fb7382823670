#include "fileio/RealPath.h"

#include <windows.h>

#include <string_view>

namespace Brim {

bool RealPath(const std::string& path, std::string& real)
{
    // Attributes only, so no sharing rule of another open gets in the way; backup semantics
    // open a folder too.
    const HANDLE handle =
        ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string text(MAX_PATH, '\0');
    DWORD length = ::GetFinalPathNameByHandleA(handle, text.data(), static_cast<DWORD>(text.size()),
                                               FILE_NAME_NORMALIZED);
    if (length >= text.size()) {
        text.resize(length);
        length = ::GetFinalPathNameByHandleA(handle, text.data(), static_cast<DWORD>(text.size()),
                                             FILE_NAME_NORMALIZED);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= text.size()) {
        return false;
    }
    text.resize(length);
    // The name comes back in its long form ("\\?\C:\src", "\\?\UNC\host\share");
    // paths elsewhere use the short one.
    constexpr std::string_view kLong = "\\\\?\\";
    constexpr std::string_view kLongUnc = "\\\\?\\UNC\\";
    if (text.compare(0, kLongUnc.size(), kLongUnc) == 0) {
        text.replace(0, kLongUnc.size(), "\\\\");
    } else if (text.compare(0, kLong.size(), kLong) == 0) {
        text.erase(0, kLong.size());
    }
    real = std::move(text);
    return true;
}

}  // namespace Brim
