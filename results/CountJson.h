// Reading back a count that `lintally-cli -f json` wrote (see JsonCsv.h): its root, the
// options it was counted with, its rows and the folders it could not read, as it streams in.
// Keys the reader has no use for are passed over, so a count from a later version with more
// keys still reads.
//
// Plain values and a function; any thread may call it on values it owns.
#pragma once

#include <string>
#include <vector>

#include "scan/CountSettings.h"
#include "scan/RowList.h"
#include "scan/ScanResult.h"

namespace lintally::results {

struct CountJson
{
    std::string root;
    std::vector<std::string> roots;
    bool hasOptions = false;
    scan::CountSettings settings;  // its "options"
    std::string by;
    bool hasFiles = false;  // it lists its files ("files"), not only group sums
    // The files in the order written; a row's lang (and its embedded parts' lang) is the index
    // of its language's name in languages.
    scan::RowList rows;
    std::vector<std::string> languages;
    // Names holding U+FFFD that came without "name_bytes", as a count saved before rows
    // kept their bytes wrote every name that is not text: each may stand for other bytes.
    std::vector<std::string> inexactNames;
    // What the count left out ("skipped": {"excluded": n, ..., "folders": [...]}): files and
    // folders by reason, and the folders it could not read.
    scan::SkipCounts skips;
    std::vector<scan::SkippedFolder> skipped;
};

// Reads the count in the file at path; false with error set to one line (the file cannot be
// read, or is not such a count: what was wrong, at which byte).
[[nodiscard]] bool ReadCountJson(const std::string& path, CountJson& count, std::string& error);

}  // namespace lintally::results
