// One scan on the calling thread: walk, count each matched file as it is met, report to
// the sink. This is the paced scan of the dialog's worker: its poll hook runs before every
// entry and may wait there (on the stop token, or while a question is open).
//
// Runs on the calling thread; options and stop may be changed from other threads while it
// runs; the sink is called from the calling thread only.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/Grouping.h"
#include "scan/ScanOptions.h"
#include "scan/ScanResult.h"
#include "scan/ScanSink.h"
#include "scan/StopToken.h"

namespace lintally::scan {

// poll, when given, is called before each entry; false from it stops like the token.
// grouping, when given, keeps group sums instead of rows (see Grouping.h).
ScanResult RunSerialScan(std::string_view root, const std::vector<std::string>& patterns,
                         const ScanOptions& options, const StopToken& stop, IScanSink& sink,
                         const std::function<bool()>& poll = {},
                         const Grouping* grouping = nullptr);

}  // namespace lintally::scan
