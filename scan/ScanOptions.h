// The options a scan reads while it runs. The dialog may change them mid-scan (a change
// applies from the next folder or file on), so each is an atomic.
//
// Owned by the scan's owner and outliving the scan; any thread may read or write them.
#pragma once

#include <atomic>
#include <cstdint>

#include "scan/CountSettings.h"
#include "scan/FileCount.h"
#include "scan/Presets.h"

namespace lintally::scan {

struct ScanOptions
{
    ScanOptions() = default;
    explicit ScanOptions(const CountSettings& settings)
        : includeSubFolders(settings.includeSubFolders), countFlags(settings.CountFlags())
    {}

    // Read at every folder entry: descend into it, or skip it.
    std::atomic<bool> includeSubFolders{kStartupOptions.includeSubFolders};
    // Read for every counted file: the counter's option bits (see MakeCountFlags).
    std::atomic<std::uint32_t> countFlags{
        MakeCountFlags(kStartupOptions.includeRemed, kStartupOptions.excludeBlank, false)};
};

}  // namespace lintally::scan
