// The folder walk: every entry of a root folder, and of its sub-folders when the visitor
// asks for them, depth first in the order the system lists them; each file whose name
// suffix matches the patterns is handed to the visitor.
//
// The walk keeps no state between calls. It reads a folder's entries, then goes through
// them, keeping pending folders on an explicit stack so any depth of tree is safe. With the
// system's reader each folder is opened relative to its parent and kept open only while it
// has entries left to visit (and while files of it wait to be counted), so neither the
// length of a path nor the depth of a chain of folders limits the walk. A folder that cannot
// be read is reported to the visitor. Folder links are never followed. It runs on the
// calling thread and calls the visitor from there only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scan/DirReader.h"

namespace lintally::scan {

class IWalkVisitor
{
public:
    // Called before each entry; false ends the whole walk at once.
    virtual bool Poll() { return true; }
    // Asked at each folder entry: true walks the folder there and then, false skips it.
    virtual bool IncludeSubFolders() = 0;
    // Asked next, with the folder's name and relative name: false leaves it out unread.
    virtual bool EnterFolder(const std::string& name, std::string_view relativeName)
    {
        (void)name;
        (void)relativeName;
        return true;
    }
    // A folder's entries as read, before any of them is visited; relativeName is "" for the
    // root. Not called for a folder that could not be read.
    virtual void OnFolderRead(std::string_view relativeName, const std::vector<DirEntry>& entries)
    {
        (void)relativeName;
        (void)entries;
    }
    // A file whose suffix matched. relativeName views into fullPath (see RelativeName).
    virtual void OnFileMatched(const std::string& fullPath, std::string_view relativeName)
    {
        (void)fullPath;
        (void)relativeName;
    }
    // The same, with the open folder it lies in (null when the reader keeps none), its
    // name there, for visitors that open it (see OpenEntry), and whether it was reached
    // through a symbolic link. By default calls OnFileMatched.
    virtual void OnFileFound(const FolderRef& folder, const std::string& name,
                             const std::string& fullPath, std::string_view relativeName, bool link)
    {
        (void)folder;
        (void)name;
        (void)link;
        OnFileMatched(fullPath, relativeName);
    }
    // A folder that could not be read, with its relative name (the root as given for the
    // root itself) and the reason; nothing of it is walked.
    virtual void OnFolderSkipped(std::string_view relativeName, const std::string& reason)
    {
        (void)relativeName;
        (void)reason;
    }
    // Called after each file entry was matched against the patterns, whether it matched
    // or not (after OnFileMatched when it did).
    virtual void OnEntryChecked() {}

protected:
    ~IWalkVisitor() = default;
};

// Walks root (one trailing separator is ignored; relative names are taken from root as
// given). A root that cannot be read walks nothing. Returns false when Poll ended it.
bool WalkFolder(std::string_view root, const std::vector<std::string>& patterns,
                IWalkVisitor& visitor, IDirReader& reader);

// The same over the system's folders.
bool WalkFolder(std::string_view root, const std::vector<std::string>& patterns,
                IWalkVisitor& visitor);

}  // namespace lintally::scan
