#include "scan/Walker.h"

#include <utility>

#include "fileio/PathSeparator.h"
#include "scan/PatternList.h"
#include "scan/RelativeName.h"

namespace lintally::scan {

namespace {

// One folder being gone through: its path (no trailing separator), its entries as read
// when the folder was met, and the next entry to visit.
struct Frame
{
    std::string dir;
    std::vector<DirEntry> entries;
    std::size_t next = 0;
};

Frame ReadFrame(std::string dir, IDirReader& reader)
{
    Frame frame{std::move(dir), {}, 0};
    reader.ReadFolder(frame.dir, frame.entries);
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
    stack.push_back(ReadFrame(std::string(top), reader));
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
        if (entry.kind == EntryKind::Folder) {
            // Pushing may move the frames; nothing of the current one is used after it.
            if (visitor.IncludeSubFolders()) {
                stack.push_back(ReadFrame(fullPath, reader));
            }
            continue;
        }
        if (MatchPattern(patterns, NameSuffix(entry.name))) {
            const std::string_view view(fullPath);
            visitor.OnFileMatched(fullPath, view.substr(RelativeNameOffset(root.size(), view)));
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
