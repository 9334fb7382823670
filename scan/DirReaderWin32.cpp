// SystemDirReader on Windows: FindFirstFileA/FindNextFileA over "dir\*.*", names in the
// ANSI code page as the system gives them.
//
// Entries with the system attribute are skipped, so system folders are never entered and
// system files never counted; hidden entries are walked like any other. A folder that is a
// reparse point (a junction or a folder symbolic link) is not followed, which keeps a link
// back up the tree from looping; only the placeholder kinds the system defines that keep
// their content in place (cloud files, deduplicated folders) are walked as folders. A file
// symbolic link counts when it leads to a file that opens.
#include <windows.h>

#include <cstring>

#include "fileio/JoinPath.h"
#include "scan/DirReader.h"

namespace lintally::scan {

namespace {

bool IsDotOrDotDot(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// A reparse point whose tag says it names another place (junction, symbolic link), or
// whose tag the system does not define. Only then may it lead out of the tree.
bool PointsElsewhere(const WIN32_FIND_DATAA& found)
{
    const DWORD tag = found.dwReserved0;
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           (IsReparseTagNameSurrogate(tag) || !IsReparseTagMicrosoft(tag));
}

// True when the link at path leads to something that opens as a file; a dangling link or
// one that leads to a folder is left out, as on other systems.
bool LeadsToAFile(const std::string& path)
{
    const HANDLE handle =
        ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(handle);
    return true;
}

bool Classify(const std::string& dir, const WIN32_FIND_DATAA& found, EntryKind& kind)
{
    const DWORD attributes = found.dwFileAttributes;
    if (IsDotOrDotDot(found.cFileName) ||
        (attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        kind = EntryKind::Folder;
        return !PointsElsewhere(found);
    }
    kind = EntryKind::File;
    return !PointsElsewhere(found) || LeadsToAFile(Brim::JoinPath(dir, found.cFileName));
}

}  // namespace

bool SystemDirReader::ReadFolder(const std::string& dir, std::vector<DirEntry>& entries)
{
    entries.clear();
    const std::string pattern = Brim::JoinPath(dir, "*.*");
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // A drive's root holds no "." or "..", so an empty one finds nothing at all.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    // An error part-way ends the listing like its end; what was read is kept.
    do {
        EntryKind kind = EntryKind::File;
        if (Classify(dir, found, kind)) {
            entries.push_back(DirEntry{found.cFileName, kind, PointsElsewhere(found)});
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return true;
}

// Windows keeps no folder open: a folder and its files are reached by their whole path.
bool SystemDirReader::ReadFolderIn(const FolderRef& parent, const std::string& name,
                                   const std::string& dir, FolderRef& opened,
                                   std::vector<DirEntry>& entries, std::string& error)
{
    return IDirReader::ReadFolderIn(parent, name, dir, opened, entries, error);
}

FolderRef OpenFolderAt(const std::string&, bool)
{
    return nullptr;
}

int ListedFolderDescriptor(const FolderRef&)
{
    return -1;
}

// No batch opens here (ListedFolderDescriptor gives none).
bool OpenEntry(Brim::ReadOnlyFile& file, const FolderRef&, const std::string&,
               const std::string& fullPath, int)
{
    return file.Open(fullPath.c_str());
}

int ReleaseEntry(Brim::ReadOnlyFile&)
{
    return -1;
}

}  // namespace lintally::scan
