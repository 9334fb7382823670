#include "sysutil/Shortcut.h"

#include "fileio/AtomicFile.h"
#include "sysutil/DesktopEntry.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace Brim {

namespace {

bool MakeAbsolute(const char* path, std::string& absolute)
{
    if (path[0] == '/') {
        absolute = path;
        return true;
    }
    char* cwd = getcwd(nullptr, 0);
    if (cwd == nullptr) {
        return false;
    }
    absolute = cwd;
    std::free(cwd);
    if (absolute.back() != '/') {
        absolute += '/';
    }
    absolute += path;
    return true;
}

}  // namespace

bool CreateShortcut(const char* linkPath, const char* target, const char* description)
{
    if (linkPath == nullptr || *linkPath == '\0' || target == nullptr || *target == '\0') {
        return false;
    }
    std::string absoluteTarget;
    if (!MakeAbsolute(target, absoluteTarget)) {
        return false;
    }
    std::string error;  // the caller learns only whether it worked
    return WriteFileAtomically(linkPath, BuildLinkEntry(absoluteTarget, description), error);
}

}  // namespace Brim
