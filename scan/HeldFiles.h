// --unique in a scan: the counting threads hold each counted file (its name and lines, never
// its bytes) instead of tallying it, and once every file is counted TallyUnique keeps, of
// each set of files with equal bytes, the one first in list order, so which copy stays never
// depends on the threads' timing. The copies count as skipped duplicates.
//
// Plain values; TallyUnique runs on one thread after the counting threads have ended.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scan/ContentSource.h"
#include "scan/FileCount.h"
#include "scan/ResultTally.h"

namespace lintally::scan {

struct HeldFile
{
    std::string fullPath;
    std::uint32_t nameOffset = 0;  // where the relative name starts in fullPath
    std::size_t listed = 0;        // the file's index in a content source
    FileLines file;
    std::uint32_t flags = 0;  // the count flags the file was counted under

    [[nodiscard]] std::string_view Name() const
    {
        return std::string_view(fullPath).substr(nameOffset);
    }
};

// Tallies held into tally, each copy of an earlier file as a duplicate. The bytes are read
// from source when given, else from the files at their full paths.
void TallyUnique(std::vector<HeldFile>& held, const IContentSource* source, ResultTally& tally);

}  // namespace lintally::scan
