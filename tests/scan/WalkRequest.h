// Requests to count a folder's tree, for the tests of the walk: the type list and the live
// options stand for the front end's settings, so a test may change what the scan reads
// while it runs.
//
// A request points to options, which outlive the count.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "scan/CountRequest.h"

namespace lintally::testing {

// The tree at root, files of the type list types, read with options on jobs counting threads.
inline scan::CountRequest Walk(std::string root, std::string types,
                               const scan::ScanOptions& options, unsigned jobs)
{
    scan::CountRequest request;
    request.files.root = std::move(root);
    request.settings.types = std::move(types);
    request.live = &options;
    request.jobs = jobs;
    return request;
}

// The same walked the dialog's paced way, on the calling thread, asking poll before each entry.
inline scan::CountRequest PacedWalk(
    std::string root, std::string types, const scan::ScanOptions& options,
    std::function<bool()> poll = [] { return true; })
{
    scan::CountRequest request = Walk(std::move(root), std::move(types), options, 1);
    request.pace = std::move(poll);
    return request;
}

}  // namespace lintally::testing
