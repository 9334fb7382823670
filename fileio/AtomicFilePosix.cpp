// WriteFileAtomically on POSIX systems.
//
// Only a regular file is replaced. A symbolic link is followed and the file it leads to is
// replaced, so the link stays; a device, FIFO or socket is opened and written directly, since
// putting a plain file in its place would break whoever relies on that node. A name of one of
// the process's own descriptors (/dev/stdout, /dev/fd/N) is written through that descriptor.
//
// The new file is made unnamed in the target's folder (O_TMPFILE) where the system allows it,
// so that however the process ends nothing is left behind; it gets a name only right before
// the rename. Elsewhere a named temporary file is used, removed on SIGINT or SIGTERM. The new
// file takes the old one's permission bits only (never set-id or sticky bits, which would
// hand its owner's rights to whoever runs it) and, where the system allows, its owner and
// group. The data is flushed before the rename and the folder after it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <optional>

#include "fileio/AtomicFile.h"
#include "fileio/MessageText.h"
#include "fileio/SignalCleanup.h"
#include "fileio/WriteAll.h"

namespace Brim {

namespace {

constexpr int kNameAttempts = 100;
constexpr int kMaxLinks = 40;               // as the system's own limit on a chain of links
constexpr std::size_t kMaxStemInName = 64;  // keeps the temporary name short of NAME_MAX

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Reason(const char* step, const std::string& path, int code)
{
    return std::string(step) + " " + EscapeControlBytes(path) + ": " + std::strerror(code);
}

// Where a chain of symbolic links from path ends; path itself when it is no link. The end
// may not exist yet (a dangling link names the file to create). False with errno on a loop.
bool FollowLinks(const std::string& path, std::string& end)
{
    end = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info = {};
        if (lstat(end.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char target[PATH_MAX];
        const ssize_t size = readlink(end.c_str(), target, sizeof target);
        if (size < 0 || static_cast<std::size_t>(size) == sizeof target) {
            errno = size < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        const std::string next(target, static_cast<std::size_t>(size));
        end = next.front() == '/' ? next : FolderOf(end) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// The descriptor a name of one of this process's own descriptors stands for ("/dev/stdout",
// "/dev/fd/N", "/proc/self/fd/N"), or -1. Such a name is written through the descriptor
// itself: following it as a link would replace the file the caller's shell opened
// (truncating a log appended to, say) instead of writing where the descriptor points.
int OwnDescriptorNamed(const std::string& path)
{
    if (path == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (path == "/dev/stderr") {
        return STDERR_FILENO;
    }
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        const std::size_t length = std::strlen(prefix);
        if (path.compare(0, length, prefix) == 0 && path.size() > length &&
            path.size() < length + 8 &&
            path.find_first_not_of("0123456789", length) == std::string::npos) {
            return std::stoi(path.substr(length));
        }
    }
    return -1;
}

bool WriteContent(int fd, const Content& content)
{
    return content([fd](std::string_view piece) { return WriteAll(fd, piece); });
}

// A device, FIFO or socket: written in place. A FIFO nobody reads would block the open
// for ever, so that is refused instead.
bool WriteDirectly(const std::string& path, const Content& content, std::string& error)
{
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno == ENXIO
                    ? "cannot write " + EscapeControlBytes(path) + ": nothing is reading from it"
                    : Reason("cannot open", path, errno);
        return false;
    }
    const int flags = fcntl(fd, F_GETFL);
    bool done =
        flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && WriteContent(fd, content);
    int code = errno;
    if (close(fd) != 0 && done && errno != EINTR) {
        done = false;
        code = errno;
    }
    if (!done) {
        error = Reason("cannot write", path, code);
    }
    return done;
}

// The owner, group and permission bits of the replaced file, set before any data is in.
void TakeOverAttributes(int fd, const std::optional<struct stat>& old)
{
    if (!old) {
        return;  // a new file keeps the mode the umask gave it
    }
    // Giving a file away needs privilege; keeping the group alone may still be allowed.
    if (fchown(fd, old->st_uid, old->st_gid) != 0) {
        (void)fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    }
    fchmod(fd, old->st_mode & 0777);
}

void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// A fresh name beside the target: the process id and the clock make a clash unlikely, and
// every use of it is exclusive, so a clash only costs another attempt.
std::string TemporaryName(const std::string& folder, const std::string& stem, int attempt)
{
    static const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    return folder + "/." + stem.substr(0, kMaxStemInName) + ".tmp" + std::to_string(getpid()) +
           "-" + std::to_string(tick + attempt);
}

// The new file's contents: flushed and closed; false with errno and the failed step.
bool FillAndClose(int fd, const Content& content, const char*& step)
{
    step = !WriteContent(fd, content) ? "cannot write" : fsync(fd) != 0 ? "cannot flush" : nullptr;
    const int code = errno;
    if (close(fd) != 0 && step == nullptr && errno != EINTR) {
        step = "cannot close";
        return false;
    }
    errno = code;
    return step == nullptr;
}

class Replacement
{
public:
    Replacement(const std::string& target, const Content& content, std::string& error)
        : m_target(target), m_folder(FolderOf(target)), m_stem(NameOf(target)), m_content(content),
          m_error(error)
    {
        struct stat info = {};
        if (stat(target.c_str(), &info) == 0) {
            m_old = info;
        }
    }

    bool Run()
    {
        const int unnamed = open(m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (unnamed >= 0) {
            return LinkUnnamed(unnamed);
        }
        // Systems and file systems without unnamed files say so in one of these ways.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            return WriteNamed();
        }
        return CannotCreate(errno);
    }

private:
    bool LinkUnnamed(int fd)
    {
        TakeOverAttributes(fd, m_old);
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const char* step = nullptr;
        if (!WriteContent(fd, m_content)) {
            step = "cannot write";
        } else if (fsync(fd) != 0) {
            step = "cannot flush";
        }
        if (step != nullptr) {
            m_error = Reason(step, m_target, errno);
            close(fd);
            return false;
        }
        // A target that does not exist is linked in directly, which cannot replace anything.
        if (!m_old &&
            linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_target.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            close(fd);
            SyncFolder(m_folder);
            return true;
        }
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::string temp = TemporaryName(m_folder, m_stem, attempt);
            const SignalCleanup cleanup(temp);
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                close(fd);
                return RenameOver(temp);
            }
            if (errno != EEXIST) {
                break;
            }
        }
        // Without /proc the unnamed file cannot get a name: write a named one instead.
        close(fd);
        return WriteNamed();
    }

    bool WriteNamed()
    {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::string temp = TemporaryName(m_folder, m_stem, attempt);
            const SignalCleanup cleanup(temp);
            const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST) {
                continue;
            }
            if (fd < 0) {
                return CannotCreate(errno);
            }
            TakeOverAttributes(fd, m_old);
            const char* step = nullptr;
            if (!FillAndClose(fd, m_content, step)) {
                m_error = Reason(step, temp, errno);
                unlink(temp.c_str());
                return false;
            }
            return RenameOver(temp);
        }
        return CannotCreate(EEXIST);
    }

    bool RenameOver(const std::string& temp)
    {
        if (rename(temp.c_str(), m_target.c_str()) != 0) {
            m_error = Reason("cannot replace", m_target, errno);
            unlink(temp.c_str());
            return false;
        }
        SyncFolder(m_folder);
        return true;
    }

    // No new file can be made in the folder. When the file itself may still be written (a
    // folder the user cannot add to, holding a file the user may change), it is rewritten in
    // place: not atomic, but the only way to save there at all.
    bool CannotCreate(int code)
    {
        if (m_old && (code == EACCES || code == EPERM)) {
            const int fd = open(m_target.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
            const char* step = nullptr;
            if (fd >= 0 && FillAndClose(fd, m_content, step)) {
                return true;
            }
            if (fd >= 0) {
                m_error = Reason(step, m_target, errno);
                return false;
            }
        }
        m_error = Reason("cannot create a temporary file in", m_folder, code);
        return false;
    }

    const std::string& m_target;
    const std::string m_folder;
    const std::string m_stem;
    const Content& m_content;
    std::string& m_error;
    std::optional<struct stat> m_old;
};

}  // namespace

bool WriteFileAtomically(const std::string& path, const Content& content, std::string& error)
{
    if (const int own = OwnDescriptorNamed(path); own >= 0) {
        if (!WriteContent(own, content)) {
            error = Reason("cannot write", path, errno);
            return false;
        }
        return true;
    }
    struct stat info = {};
    if (stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            error = Reason("cannot replace", path, EISDIR);
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            return WriteDirectly(path, content, error);
        }
    }
    std::string target;
    if (!FollowLinks(path, target)) {
        error = Reason("cannot follow", path, errno);
        return false;
    }
    return Replacement(target, content, error).Run();
}

}  // namespace Brim
