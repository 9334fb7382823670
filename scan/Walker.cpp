#include "scan/Walker.h"

#include <utility>

#include "fileio/PathSeparator.h"
#include "scan/PatternList.h"
#include "scan/RelativeName.h"

namespace lintally::scan {

namespace {

// One folder being gone through: its path (no trailing separator), the folder kept open
// while it has entries left, its entries as read when the folder was met, and the next
// entry to visit.
struct Frame
{
    std::string dir;
    FolderRef folder;
    std::vector<DirEntry> entries;
    std::size_t next = 0;
};

// shown names the folder in a report of its failure (the root as given), relative in
// OnFolderRead.
Frame ReadFrame(const FolderRef& parent, const std::string& name, std::string dir,
                std::string_view shown, std::string_view relative, IDirReader& reader,
                IWalkVisitor& visitor)
{
    Frame frame{std::move(dir), nullptr, {}, 0};
    std::string error;
    if (!reader.ReadFolderIn(parent, name, frame.dir, frame.folder, frame.entries, error)) {
        frame.entries.clear();
        visitor.OnFolderSkipped(shown, error);
    } else {
        visitor.OnFolderRead(relative, frame.entries);
    }
    return frame;
}

}  // namespace

bool WalkFolder(std::string_view root, const std::vector<std::string>& patterns,
                IWalkVisitor& visitor, IDirReader& reader)
{
    std::string_view top = root;
    if (!top.empty() && Brim::IsPathSeparator(top.back())) {
        top.remove_suffix(1);
    }
    std::vector<Frame> stack;
    stack.push_back(ReadFrame(nullptr, {}, std::string(top), root, {}, reader, visitor));
    std::string fullPath;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            stack.pop_back();
            continue;
        }
        if (!visitor.Poll()) {
            return false;
        }
        const DirEntry& entry = frame.entries[frame.next++];
        fullPath.assign(frame.dir).append(1, Brim::kPathSeparator).append(entry.name);
        const std::string_view view(fullPath);
        const std::string_view relative = view.substr(RelativeNameOffset(root.size(), view));
        if (entry.kind == EntryKind::Folder) {
            if (visitor.IncludeSubFolders() && visitor.EnterFolder(entry.name, relative)) {
                Frame child = ReadFrame(frame.folder, entry.name, fullPath, relative, relative,
                                        reader, visitor);
                // A folder with nothing left to visit lets go of its descriptor, so a long
                // chain of folders holds only a few open at a time.
                if (frame.next == frame.entries.size()) {
                    frame.folder.reset();
                }
                // Pushing may move the frames; nothing of the current one is used after it.
                stack.push_back(std::move(child));
            }
            continue;
        }
        if (MatchPattern(patterns, NameSuffix(entry.name))) {
            visitor.OnFileFound(frame.folder, entry.name, fullPath, relative, entry.link);
        }
        visitor.OnEntryChecked();
    }
    return true;
}

bool WalkFolder(std::string_view root, const std::vector<std::string>& patterns,
                IWalkVisitor& visitor)
{
    SystemDirReader reader;
    return WalkFolder(root, patterns, visitor, reader);
}

}  // namespace lintally::scan
