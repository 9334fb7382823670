// CScanOptions: the three counting options that the UI thread writes (by data exchange from
// the check boxes) and a running scan worker reads at every folder and every counted file.
// Each field is an atomic int, non-zero meaning on, so a change made during a scan is taken
// in at the worker's next read without a lock.
//
// Owned by the dialog; the dialog outlives every worker that reads it. Any thread.
#pragma once

#include <atomic>

#include "scan/Presets.h"

struct CScanOptions
{
    // "Include sub-folders.": off until the dialog's start-up turns it on.
    std::atomic<int> m_bIncludeSub{0};
    std::atomic<int> m_bIncludeRemed{lintally::scan::kStartupOptions.includeRemed ? 1 : 0};
    std::atomic<int> m_bExcludeBlank{lintally::scan::kStartupOptions.excludeBlank ? 1 : 0};
};
