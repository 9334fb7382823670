#include "scan/FileCount.h"

#include "fileio/ReadOnlyFile.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "scan/ContentCheck.h"

namespace lintally::scan {

std::uint32_t MakeCountFlags(bool includeRemed, bool excludeBlank, bool trackBlocks)
{
    std::uint32_t flags = 0;
    if (includeRemed) {
        flags |= PrjHelper::CF_COUNT_REMED;
    }
    if (!excludeBlank) {
        flags |= PrjHelper::CF_COUNT_BLANK;
    }
    if (trackBlocks) {
        flags |= PrjHelper::CF_TRACK_BLOCKS;
    }
    return flags;
}

std::uint64_t CountFile(const std::string& fullPath, std::uint32_t flags)
{
    return CountFile(nullptr, fullPath, fullPath, flags);
}

FileLines TallyFile(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                    std::uint32_t flags, const StopToken* stop, const Selection* content)
{
    FileLines file;
    char ext[8] = {};
    file.lang = PrjHelper::GetPathLanguage(name.c_str(), ext, sizeof ext);
    Brim::ReadOnlyFile stream;
    if (!OpenEntry(stream, folder, name, fullPath)) {
        file.skipped = SkipReason::Unreadable;
        return file;
    }
    if (content != nullptr) {
        file.skipped = CheckContent(stream, *content);
        if (file.skipped) {
            return file;
        }
    }
    if (stop == nullptr) {
        file.kinds = PrjHelper::TallyLines(stream, file.lang, flags);
    } else {
        file.kinds = PrjHelper::TallyLines(stream, file.lang, flags,
                                           [stop] { return !stop->StopRequested(); });
    }
    return file;
}

std::uint64_t CountFile(const FolderRef& folder, const std::string& name,
                        const std::string& fullPath, std::uint32_t flags, const StopToken* stop)
{
    return TallyFile(folder, name, fullPath, flags, stop).kinds.Counted(flags);
}

}  // namespace lintally::scan
