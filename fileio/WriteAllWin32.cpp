#include "fileio/WriteAll.h"

#include <windows.h>

namespace Brim {

namespace {

constexpr DWORD kMaxChunk = 1u << 30;  // one WriteFile moves at most this much

}  // namespace

bool WriteAll(CFileWin::Handle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() < kMaxChunk ? static_cast<DWORD>(bytes.size()) : kMaxChunk;
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            // Nothing moved and no error: a device that takes no more.
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace Brim
