#include "fileio/WriteAll.h"

#include <unistd.h>

#include <cerrno>

namespace Brim {

bool WriteAll(CFileWin::Handle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace Brim
