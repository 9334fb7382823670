// SystemDirReader on Linux: the listing's records with the entry type they report, and
// fstatat when the type is unknown or the entry is a symbolic link. On disk file systems the type
// the listing reports is trusted again when the file is opened (one fstat fewer per file). Folders
// of a walk are opened relative to their parent's descriptor (openat), so no path length
// limit applies.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "scan/DirReader.h"

namespace lintally::scan {

namespace {

// Classifies an entry the directory listing could not type, or a link: a link counts as a
// file only when it leads to a regular file; a link to a folder is never followed.
bool ClassifyByStat(int dirFd, const char* name, EntryKind& kind, bool& link)
{
    struct stat info = {};
    if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        kind = EntryKind::Folder;
        return true;
    }
    link = S_ISLNK(info.st_mode);
    if (link && fstatat(dirFd, name, &info, 0) != 0) {
        return false;
    }
    kind = EntryKind::File;
    return S_ISREG(info.st_mode);
}

bool Classify(int dirFd, unsigned char type, const char* name, EntryKind& kind, bool& link)
{
    switch (type) {
    case DT_REG:
        kind = EntryKind::File;
        return true;
    case DT_DIR:
        kind = EntryKind::Folder;
        return true;
    case DT_LNK:
    case DT_UNKNOWN:
        return ClassifyByStat(dirFd, name, kind, link);
    default:
        return false;
    }
}

bool IsDotOrDotDot(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Lists the open folder fd into entries, reading the system's records straight into a buffer
// of a listing's usual size: no stream object, so none of its calls to check and set up the
// descriptor. The descriptor stays open; its read position is left at the listing's end.
void ListFolder(int fd, std::vector<DirEntry>& entries)
{
    entries.clear();
    alignas(dirent64) char buffer[32 * 1024];
    // A read error part-way ends the listing like its end; what was read is kept.
    for (ssize_t got; (got = getdents64(fd, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            dirent64 entry;
            std::memcpy(&entry, buffer + at, offsetof(dirent64, d_name));
            const char* name = buffer + at + offsetof(dirent64, d_name);
            at += entry.d_reclen;
            EntryKind kind = EntryKind::File;
            bool link = false;
            if (!IsDotOrDotDot(name) && Classify(fd, entry.d_type, name, kind, link)) {
                entries.push_back(DirEntry{name, kind, link});
            }
        }
    }
}

// Whether fd's folder lies on a disk or memory file system, whose regular files read short
// only at their end and never block. Pseudo file systems (/proc, /sys, FUSE) are not: their
// "regular" files may read a page at a time or wait, so their files are checked at the open.
bool HoldsPlainFiles(int fd)
{
    static constexpr std::uint32_t kPlain[] = {
        0xEF53u,      // ext2, ext3, ext4
        0x58465342u,  // xfs
        0x9123683Eu,  // btrfs
        0x01021994u,  // tmpfs
        0x794C7630u,  // overlayfs
        0xF2F52010u,  // f2fs
        0x2FC12FC1u,  // zfs
    };
    struct statfs info = {};
    if (fstatfs(fd, &info) != 0) {
        return false;
    }
    const auto type = static_cast<std::uint32_t>(info.f_type);
    return std::find(std::begin(kPlain), std::end(kPlain), type) != std::end(kPlain);
}

int OpenFolder(int parentFd, const char* name)
{
    int fd;
    do
        fd = openat(parentFd, name,
                    O_RDONLY | O_DIRECTORY | O_CLOEXEC | (parentFd == AT_FDCWD ? 0 : O_NOFOLLOW));
    while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

class FolderHandle
{
public:
    // listed: the walk lists this folder, so its files are opened by names the listing gave
    // as regular files.
    FolderHandle(int fd, bool listed) : m_fd(fd), m_plainListing(listed && HoldsPlainFiles(fd)) {}
    ~FolderHandle() { close(m_fd); }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    [[nodiscard]] int Descriptor() const { return m_fd; }
    // Whether a file the listing gave as regular may be opened without checking it again.
    [[nodiscard]] bool PlainListing() const { return m_plainListing; }

private:
    int m_fd;
    bool m_plainListing;
};

bool SystemDirReader::ReadFolder(const std::string& dir, std::vector<DirEntry>& entries)
{
    entries.clear();
    const int fd = OpenFolder(AT_FDCWD, dir.empty() ? "/" : dir.c_str());
    if (fd < 0) {
        return false;
    }
    ListFolder(fd, entries);
    close(fd);
    return true;
}

bool SystemDirReader::ReadFolderIn(const FolderRef& parent, const std::string& name,
                                   const std::string& dir, FolderRef& opened,
                                   std::vector<DirEntry>& entries, std::string& error)
{
    entries.clear();
    opened.reset();
    const int fd = parent ? OpenFolder(parent->Descriptor(), name.c_str())
                          : OpenFolder(AT_FDCWD, dir.empty() ? "/" : dir.c_str());
    if (fd < 0) {
        error = errno == EMFILE || errno == ENFILE ? "too deep: no more folders can be open at once"
                                                   : std::strerror(errno);
        return false;
    }
    opened = std::make_shared<const FolderHandle>(fd, true);
    ListFolder(fd, entries);
    return true;
}

FolderRef OpenFolderAt(const std::string& path, bool listedFiles)
{
    const int fd = OpenFolder(AT_FDCWD, path.empty() ? "." : path.c_str());
    return fd < 0 ? nullptr : std::make_shared<const FolderHandle>(fd, listedFiles);
}

int ListedFolderDescriptor(const FolderRef& folder)
{
    return folder && folder->PlainListing() ? folder->Descriptor() : -1;
}

bool OpenEntry(Brim::ReadOnlyFile& file, const FolderRef& folder, const std::string& name,
               const std::string& fullPath, int opened)
{
    if (opened >= 0) {
        file.AdoptListed(opened);
        return true;
    }
    if (opened != Brim::FileBatch::kNotTried) {
        // A symbolic link, whose target may lie anywhere, opens as OpenListedAt opens it.
        if (opened == -ELOOP) {
            return file.OpenAt(folder->Descriptor(), name.c_str());
        }
        errno = -opened;
        return false;
    }
    if (!folder) {
        return file.Open(fullPath.c_str());
    }
    return folder->PlainListing() ? file.OpenListedAt(folder->Descriptor(), name.c_str())
                                  : file.OpenAt(folder->Descriptor(), name.c_str());
}

int ReleaseEntry(Brim::ReadOnlyFile& file)
{
    return file.Release();
}

}  // namespace lintally::scan
