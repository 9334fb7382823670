#include "fileio/FileExists.h"

#include <sys/stat.h>

namespace Brim {

bool FileExists(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return false;
    struct stat info = {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace Brim
