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
    Brim::ReadOnlyFile file;
    if (!file.Open(fullPath.c_str())) {
        return 0;
    }
    char ext[8] = {};
    return PrjHelper::CountLines(file, PrjHelper::GetPathLanguage(fullPath.c_str(), ext, sizeof ext),
                                 flags);
}

}  // namespace lintally::scan
