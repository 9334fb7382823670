// Reading one folder's entries: the walk's only contact with the file system's folder
// calls. SystemDirReader is the platform's version (one source file per platform);
// tests may hand the walk a reader of their own.
//
// A reader keeps no state between calls; SystemDirReader may be used from any thread.
#pragma once

#include <string>
#include <vector>

namespace lintally::scan {

enum class EntryKind : unsigned char
{
    File,    // a regular file, or a link to one
    Folder,  // a real folder, never a link to one
};

struct DirEntry
{
    std::string name;
    EntryKind kind = EntryKind::File;
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

protected:
    ~IDirReader() = default;
};

class SystemDirReader final : public IDirReader
{
public:
    bool ReadFolder(const std::string& dir, std::vector<DirEntry>& entries) override;
};

}  // namespace lintally::scan
