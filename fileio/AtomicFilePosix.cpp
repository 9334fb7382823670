// WriteFileAtomically on POSIX systems: open O_EXCL beside the target, write, fsync,
// rename, then fsync the folder so the rename itself is durable.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <cstring>

#include "fileio/AtomicFile.h"
#include "fileio/WriteAll.h"

namespace Brim {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kMaxStemInName = 64;  // keeps the temporary name short of NAME_MAX

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Reason(const char* step, const std::string& path, int code)
{
    return std::string(step) + " " + path + ": " + std::strerror(code);
}

// Creates a fresh temporary file in folder; the umask applies to its mode as to any new
// file. Returns the descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folder, const std::string& stem, std::string& tempPath)
{
    // The process id and the clock make a clash unlikely; O_EXCL makes it harmless.
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        tempPath = folder + "/." + stem.substr(0, kMaxStemInName) + ".tmp" +
                   std::to_string(getpid()) + "-" + std::to_string(tick + attempt);
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// A replaced file keeps the permission bits it had.
void KeepMode(int fd, const std::string& path)
{
    struct stat info{};
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        fchmod(fd, info.st_mode & 07777);
    }
}

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = FolderOf(path);
    const std::string stem = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string tempPath;
    const int fd = CreateTemporary(folder, stem, tempPath);
    if (fd < 0) {
        error = Reason("cannot create a temporary file in", folder, errno);
        return false;
    }
    KeepMode(fd, path);
    const char* step = nullptr;
    int code = 0;
    if (!WriteAll(fd, bytes)) {
        step = "cannot write";
    } else if (fsync(fd) != 0) {
        step = "cannot flush";
    }
    code = errno;
    if (close(fd) != 0 && step == nullptr) {
        step = "cannot close";
        code = errno;
    }
    const std::string* subject = &tempPath;
    if (step == nullptr && rename(tempPath.c_str(), path.c_str()) != 0) {
        step = "cannot replace";
        code = errno;
        subject = &path;
    }
    if (step != nullptr) {
        unlink(tempPath.c_str());
        error = Reason(step, *subject, code);
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace Brim
