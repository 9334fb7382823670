// Counting a git revision's files into a scan's result, with the rules, types and options
// of a folder scan: the same as a list scan of Files() whose bytes come from the
// repository. Rows are named as Files() names them.
//
// Blocks the calling thread until the count ends; jobs counting threads read blobs in
// parallel, each through repositories of its own. Thread rule of the sink: see ScanSink.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gitsel/Revision.h"
#include "scan/Grouping.h"
#include "scan/ScanOptions.h"
#include "scan/ScanResult.h"
#include "scan/ScanSink.h"
#include "scan/Selection.h"
#include "scan/StopToken.h"

namespace lintally::gitsel {

// patterns: the type list (scan::BuildPatternList); grouping and selection as for
// scan::RunParallelScan. only: the indexes into Files() of the files to count, in order;
// all when null. Submodules the revision had to leave out are in the result's skipped
// folders.
[[nodiscard]] scan::ScanResult CountRevision(const Revision& revision,
                                             const std::vector<std::uint32_t>* only,
                                             const std::vector<std::string>& patterns,
                                             const scan::ScanOptions& options, unsigned jobs,
                                             const scan::StopToken& stop, scan::IScanSink& sink,
                                             const scan::Grouping* grouping = nullptr,
                                             const scan::Selection* selection = nullptr);

}  // namespace lintally::gitsel
