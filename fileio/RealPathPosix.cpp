#include "fileio/RealPath.h"

#include <cstdlib>

namespace Brim {

bool RealPath(const std::string& path, std::string& real)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return false;
    }
    real = resolved;
    std::free(resolved);
    return true;
}

}  // namespace Brim
