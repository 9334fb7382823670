// Reading one folder's entries: the walk's only contact with the file system's folder
// calls. SystemDirReader is the platform's version (one source file per platform);
// tests may hand the walk a reader of their own.
//
// A reader keeps no state between calls; SystemDirReader may be used from any thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fileio/FileBatch.h"
#include "fileio/ReadOnlyFile.h"

namespace lintally::scan {

// A folder the system's reader keeps open so that what lies in it is opened relative to it,
// however long the path from the root has grown. Shared by the walk and by the counting
// threads that still have files of it to count; closed when the last holder lets go.
// Defined by the platform's reader (Windows keeps none: its entries open by path).
class FolderHandle;
using FolderRef = std::shared_ptr<const FolderHandle>;

enum class EntryKind : unsigned char
{
    File,    // a regular file, or a link to one
    Folder,  // a real folder, never a link to one
};

struct DirEntry
{
    std::string name;
    EntryKind kind = EntryKind::File;
    bool link = false;  // a file reached through a symbolic link
};

class IDirReader
{
public:
    // Replaces entries with the folder's entries in the order the system gives them,
    // without "." and "..", folder links, and anything that is neither a file nor a folder
    // (pipes, sockets, devices, dangling links); on Windows also without entries that
    // have the system attribute. dir has no trailing separator ("" is the file system's
    // root, or the current drive's on Windows). The folder is closed again before the
    // call returns. False when the folder cannot be opened.
    virtual bool ReadFolder(const std::string& dir, std::vector<DirEntry>& entries) = 0;

    // The same for the folder name inside parent (no parent: dir is the root), where dir is
    // its whole path; opened is the folder kept open, or null when the reader keeps none.
    // False with error set to the system's reason when the folder cannot be read.
    virtual bool ReadFolderIn(const FolderRef& parent, const std::string& name,
                              const std::string& dir, FolderRef& opened,
                              std::vector<DirEntry>& entries, std::string& error)
    {
        (void)parent;
        (void)name;
        opened.reset();
        if (!ReadFolder(dir, entries)) {
            error = "cannot be opened";
            return false;
        }
        return true;
    }

protected:
    ~IDirReader() = default;
};

class SystemDirReader final : public IDirReader
{
public:
    bool ReadFolder(const std::string& dir, std::vector<DirEntry>& entries) override;
    bool ReadFolderIn(const FolderRef& parent, const std::string& name, const std::string& dir,
                      FolderRef& opened, std::vector<DirEntry>& entries,
                      std::string& error) override;
};

// Opens the folder at path (the current one for "") to open files of it by name, as the
// walk does; null when it cannot be opened, or where the platform's reader keeps none.
// listedFiles: the names to open were listed as files or links by the file system or a
// repository's index, rather than given by a user, and may be trusted as the walk's are.
[[nodiscard]] FolderRef OpenFolderAt(const std::string& path, bool listedFiles = false);

// The descriptor to open names of folder by in a batch (Brim::FileBatch::OpenListed), as
// OpenEntry would open them: the folder's, when the names it lists may be trusted; -1 when
// they may not, or where the platform's reader keeps no descriptors.
[[nodiscard]] int ListedFolderDescriptor(const FolderRef& folder);

// Opens the entry name of folder for counting; by fullPath when folder is null. opened: what
// a batch open of it in ListedFolderDescriptor(folder) gave, when it was tried.
bool OpenEntry(Brim::ReadOnlyFile& file, const FolderRef& folder, const std::string& name,
               const std::string& fullPath, int opened = Brim::FileBatch::kNotTried);

// Takes the descriptor of the file OpenEntry opened out of file, for the caller to close with
// a batch's (Brim::FileBatch::Close); -1 when none is open, or where files have no
// descriptors (file then closes its own).
[[nodiscard]] int ReleaseEntry(Brim::ReadOnlyFile& file);

}  // namespace lintally::scan
