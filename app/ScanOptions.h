// CScanOptions: the three counting options that the UI thread writes (by data exchange from
// the check boxes) and a running scan worker reads at every folder and every counted file.
// Each field is an atomic int, non-zero meaning on, so a change made during a scan is taken
// in at the worker's next read without a lock.
//
// Owned by the dialog; the dialog outlives every worker that reads it. Any thread.
#pragma once

#include <atomic>

struct CScanOptions
{
    std::atomic<int> m_bIncludeSub{0};    // "Include sub-folders."
    std::atomic<int> m_bIncludeRemed{1};  // "Include remed line."
    std::atomic<int> m_bExcludeBlank{0};  // "Exclude blank line(s)."
};
