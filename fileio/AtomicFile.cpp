#include "fileio/AtomicFile.h"

namespace Brim {

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    return WriteFileAtomically(
        path, [bytes](const ContentWriter& write) { return write(bytes); }, error);
}

}  // namespace Brim
