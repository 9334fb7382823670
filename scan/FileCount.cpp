#include "scan/FileCount.h"

#include "linecount/LineClassifier.h"
#include "linecount/SrcCounter.h"

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

std::uint32_t CountFile(const std::string& fullPath, std::uint32_t flags)
{
    // Open's result is not needed: a counter whose file did not open runs no line and
    // keeps its count at 0.
    PrjHelper::CSrcCounter counter;
    counter.Open(fullPath.c_str());
    counter.m_dwFlags = flags;
    counter.m_Reader.Run();
    return counter.m_nCount;
}

}  // namespace lintally::scan
