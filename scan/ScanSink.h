// What a scan tells its front end while it runs: each counted row, each walked entry, and
// the end. The dialog turns these into list rows and total updates, the command line into
// its progress line.
//
// Implemented by the front end. Thread rule: a paced count (see CountRequest.h) calls every
// member from Count's thread; any other count calls OnRowCounted from several counting
// threads at once, OnEntryWalked from the walking thread and OnFinished once, after every
// other call.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintally::scan {

class IScanSink
{
public:
    // A matched file was counted; name is its relative name, valid during the call.
    virtual void OnRowCounted(std::string_view name, std::uint64_t lines) = 0;
    // A file entry went through the pattern match (matched or not).
    virtual void OnEntryWalked() = 0;
    // The scan ended, by itself or because a stop was requested.
    virtual void OnFinished(bool stopped) = 0;

protected:
    ~IScanSink() = default;
};

// A sink for callers that only want the result.
class NullScanSink final : public IScanSink
{
public:
    void OnRowCounted(std::string_view, std::uint64_t) override {}
    void OnEntryWalked() override {}
    void OnFinished(bool) override {}
};

}  // namespace lintally::scan
