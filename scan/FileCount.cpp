#include "scan/FileCount.h"

#include "fileio/ReadOnlyFile.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"

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

std::uint64_t CountFile(const FolderRef& folder, const std::string& name,
                        const std::string& fullPath, std::uint32_t flags, const StopToken* stop)
{
    Brim::ReadOnlyFile file;
    if (!OpenEntry(file, folder, name, fullPath)) {
        return 0;
    }
    char ext[8] = {};
    const std::int32_t lang = PrjHelper::GetPathLanguage(name.c_str(), ext, sizeof ext);
    if (stop == nullptr) {
        return PrjHelper::CountLines(file, lang, flags);
    }
    return PrjHelper::CountLines(file, lang, flags, [stop] { return !stop->StopRequested(); });
}

}  // namespace lintally::scan
