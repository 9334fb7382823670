#include "sysutil/Shortcut.h"

#include "sysutil/DesktopEntry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
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

bool WriteAll(int fd, const std::string& bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Creates a new temporary file beside path (mode 0666 less the umask, like any new file);
// returns its descriptor and name, or -1.
int CreateTempBeside(const std::string& path, std::string& tempPath)
{
    static std::atomic<unsigned> s_counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp" + std::to_string(getpid()) + "." +
                   std::to_string(s_counter.fetch_add(1));
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Flushes the folder that holds path, so the rename itself survives a crash. A file system
// that cannot sync a folder does not undo a link that is already in place.
void SyncParentFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool WriteAtomically(const std::string& path, const std::string& bytes)
{
    std::string tempPath;
    const int fd = CreateTempBeside(path, tempPath);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncParentFolder(path);
    return true;
}

} // namespace

bool CreateShortcut(const char* linkPath, const char* target, const char* description)
{
    if (linkPath == nullptr || *linkPath == '\0' || target == nullptr || *target == '\0') {
        return false;
    }
    std::string absoluteTarget;
    if (!MakeAbsolute(target, absoluteTarget)) {
        return false;
    }
    return WriteAtomically(linkPath, BuildLinkEntry(absoluteTarget, description));
}

} // namespace Brim
