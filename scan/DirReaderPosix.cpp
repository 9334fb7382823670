// SystemDirReader on POSIX systems: readdir with the entry type it reports, and fstatat
// when the type is unknown or the entry is a symbolic link.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

#include "scan/DirReader.h"

namespace lintally::scan {

namespace {

// Classifies an entry the directory listing could not type, or a link: a link counts as a
// file only when it leads to a regular file; a link to a folder is never followed.
bool ClassifyByStat(int dirFd, const char* name, EntryKind& kind)
{
    struct stat info{};
    if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        kind = EntryKind::Folder;
        return true;
    }
    if (S_ISLNK(info.st_mode) && fstatat(dirFd, name, &info, 0) != 0) {
        return false;
    }
    kind = EntryKind::File;
    return S_ISREG(info.st_mode);
}

bool Classify(int dirFd, const dirent& entry, EntryKind& kind)
{
    switch (entry.d_type) {
    case DT_REG:
        kind = EntryKind::File;
        return true;
    case DT_DIR:
        kind = EntryKind::Folder;
        return true;
    case DT_LNK:
    case DT_UNKNOWN:
        return ClassifyByStat(dirFd, entry.d_name, kind);
    default:
        return false;
    }
}

bool IsDotOrDotDot(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace

bool SystemDirReader::ReadFolder(const std::string& dir, std::vector<DirEntry>& entries)
{
    entries.clear();
    DIR* folder = opendir(dir.empty() ? "/" : dir.c_str());
    if (folder == nullptr) {
        return false;
    }
    const int dirFd = dirfd(folder);
    // A read error part-way ends the listing like its end; what was read is kept.
    while (const dirent* entry = readdir(folder)) {
        EntryKind kind = EntryKind::File;
        if (!IsDotOrDotDot(entry->d_name) && Classify(dirFd, *entry, kind)) {
            entries.push_back(DirEntry{entry->d_name, kind});
        }
    }
    closedir(folder);
    return true;
}

}  // namespace lintally::scan
