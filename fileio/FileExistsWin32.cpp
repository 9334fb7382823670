#include "fileio/FileExists.h"

#include <windows.h>

namespace Brim {

bool FileExists(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    // Access 0 asks for attributes only, so no sharing rule of another open gets in the way;
    // without backup semantics a folder does not open.
    const HANDLE handle = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    // Device names (NUL, CON) open too, but they are not files.
    const bool disk = ::GetFileType(handle) == FILE_TYPE_DISK;
    ::CloseHandle(handle);
    return disk;
}

}  // namespace Brim
