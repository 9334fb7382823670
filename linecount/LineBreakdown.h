// The lines of a file (or of many) by kind, and the count the option bits derive from them.
//
// A plain value; its functions are pure.
#pragma once

#include <cstdint>

#include "linecount/LineClassifier.h"

namespace PrjHelper {

struct LineBreakdown
{
    std::uint64_t blank = 0;
    std::uint64_t comment = 0;
    std::uint64_t code = 0;

    // Every line, whatever its kind.
    [[nodiscard]] constexpr std::uint64_t Physical() const { return blank + comment + code; }

    // The lines that count under flags (the CF_ bits): code, plus comment lines with
    // CF_COUNT_REMED, plus blank lines with CF_COUNT_BLANK. The kinds must have been taken
    // in the block mode of flags' CF_TRACK_BLOCKS.
    [[nodiscard]] constexpr std::uint64_t Counted(std::uint32_t flags) const
    {
        return code + ((flags & CF_COUNT_REMED) != 0 ? comment : 0) +
               ((flags & CF_COUNT_BLANK) != 0 ? blank : 0);
    }

    // Counts one line of the kind.
    constexpr void Add(LineKind kind)
    {
        ++(kind == LineKind::Blank ? blank : kind == LineKind::Comment ? comment : code);
    }

    constexpr LineBreakdown& operator+=(const LineBreakdown& other)
    {
        blank += other.blank;
        comment += other.comment;
        code += other.code;
        return *this;
    }

    friend constexpr bool operator==(const LineBreakdown&, const LineBreakdown&) = default;
};

}  // namespace PrjHelper
