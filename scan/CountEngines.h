// Count's engines (see CountRequest.h): the paced walk on the calling thread and the walk or
// list over counting threads. Only Count and the engines' own sources include this; every
// front end and test counts through Count.
//
// The serial scan runs on the calling thread and calls the sink from it only. The parallel
// scans block the calling thread until every counting thread has ended; thread rule of the
// sink: see ScanSink.h. options and stop may be changed from other threads while any runs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/ContentSource.h"
#include "scan/Grouping.h"
#include "scan/ScanOptions.h"
#include "scan/ScanResult.h"
#include "scan/ScanSink.h"
#include "scan/Selection.h"
#include "scan/StopToken.h"

namespace lintally::scan {

// Walks and counts each matched file as it is met: the dialog's paced scan. poll, when given,
// is called before each entry and may wait there (on the stop token, or while a question is
// open); false from it stops like the token. grouping, when given, keeps group sums instead
// of rows (see Grouping.h).
ScanResult RunSerialScan(std::string_view root, const std::vector<std::string>& patterns,
                         const ScanOptions& options, const StopToken& stop, IScanSink& sink,
                         const std::function<bool()>& poll = {},
                         const Grouping* grouping = nullptr);

// For large trees: the calling thread walks and hands the matched files in small batches
// over a bounded queue to jobs counting threads (at least one is used); each thread keeps its
// own rows (or group sums), merged and sorted once at the end, so memory stays bounded by the
// queue and the rows. Gives the same rows, groups and totals as RunSerialScan over the same
// tree. selection, when given, leaves out what it chooses, counted in the result's skips.
ScanResult RunParallelScan(std::string_view root, const std::vector<std::string>& patterns,
                           const ScanOptions& options, unsigned jobs, const StopToken& stop,
                           IScanSink& sink, const Grouping* grouping = nullptr,
                           const Selection* selection = nullptr);

// The same over exactly the files prefix + name for each of names whose suffix matches the
// patterns (prefix: a root and a separator, or nothing), counted in any order; rows take
// the names, which are also what the selection's patterns see. Names are not checked for
// repeats. With source given, no file is opened: the bytes of names[i] are those source's
// readers give for index i (each counting thread reads through a reader of its own).
// trackedNames: the names come from a repository's index, which lists files and links only,
// so they open as a walk's listed files do, and the selection's ignore check leaves none out.
ScanResult RunParallelListScan(std::string_view prefix, const std::vector<std::string>& names,
                               const std::vector<std::string>& patterns, const ScanOptions& options,
                               unsigned jobs, const StopToken& stop, IScanSink& sink,
                               const Grouping* grouping = nullptr,
                               const Selection* selection = nullptr,
                               const IContentSource* source = nullptr, bool trackedNames = false);

}  // namespace lintally::scan
