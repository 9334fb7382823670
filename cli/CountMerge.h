// Summing counts saved by `-f json` (each with its files) into one count: the count all their
// ROOTs on one command line would make. With more than one part, the files of a part of one
// ROOT are named under it, as a count of several ROOTs names them (a part of several ROOTs
// has them so named already); rows keep the order of the parts, and each part's own order.
// Files and folders left out and folders not read add up, and --by regroups the files.
//
// Owned by main's thread.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/CountJson.h"
#include "results/RowGrouping.h"
#include "scan/Grouping.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

class CountMerge
{
public:
    // by: the rows of the sum (its files, or groups of them); parts: how many will be added.
    CountMerge(const results::RowGrouping& by, std::size_t parts);

    // Adds part (read from the file shown as shown); false with error set to one line when
    // it names a file an earlier part named, a language this program does not know, or when
    // --by dir would need to split a part of several ROOTs.
    [[nodiscard]] bool Add(results::CountJson part, const std::string& shown, std::string& error);

    // The ROOTs of the parts, in order.
    [[nodiscard]] const std::vector<std::string>& Roots() const { return m_roots; }
    // The sum; the merge is left empty.
    [[nodiscard]] scan::ScanResult Take();

private:
    results::RowGrouping m_by;
    bool m_severalRoots;
    std::vector<std::string> m_roots;
    std::unordered_set<std::string> m_names;  // every file named so far
    scan::ScanResult m_whole;
    scan::GroupTable m_groups;
};

}  // namespace lintally::cli
