// How many lines one text adds and removes against another: a line diff through libgit2.
// Builds without libgit2 (the Windows cross build) cannot compare lines; there Supported()
// is false and Compare always fails.
//
// A LineDiff holds the library initialised while it lives. Compare keeps no state: several
// threads may call it at once on one LineDiff.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lintally::gitsel {

// The lines one text adds and removes against another.
struct LineCounts
{
    std::uint64_t added = 0;
    std::uint64_t removed = 0;
};

class LineDiff
{
public:
    LineDiff();
    ~LineDiff();
    LineDiff(const LineDiff&) = delete;
    LineDiff& operator=(const LineDiff&) = delete;

    [[nodiscard]] static bool Supported();

    // The lines (each ended by LF) of after that before lacks, and of before that after lacks,
    // by a minimal-edit line diff; false with error set when the texts could not be compared.
    [[nodiscard]] bool Compare(std::string_view before, std::string_view after, LineCounts& changes,
                               std::string& error) const;
};

}  // namespace lintally::gitsel
