#include "fileio/WriteAll.h"

#include "fileio/DescriptorIo.h"

namespace Brim {

bool WriteAll(CFileWin::Handle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = WriteOnce(handle, bytes.data(), bytes.size());
        if (written < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace Brim
