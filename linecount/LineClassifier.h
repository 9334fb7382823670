// The per-line decision of the counter: is this line blank, a comment line or code, and
// does it count?
//
// A pure routine: it reads the markers, the option bits and the line, updates the caller's
// "inside a block comment" flag, allocates nothing and keeps no state of its own, so any
// thread may call it for lines it owns.
//
// The rules, in order:
//  1. The line is its bytes up to the first NUL (a null pointer is an empty line).
//  2. One CR that is the line's last byte is dropped (the CR of a CR LF line end).
//  3. Spaces and tabs are trimmed at both ends.
//  4. Blank: a line empty after the trim counts only with CF_COUNT_BLANK, in any block state.
//  5. With CF_COUNT_REMED every non-blank line counts; no comment test is made.
//  6. Without CF_TRACK_BLOCKS each line stands alone. It is a comment line when it begins
//     with the single-line marker, or when it begins with the block-opening marker and the
//     FIRST closing marker (searched from the line's start, so it may overlap the opener)
//     ends the line. The block flag is left alone.
//  7. With CF_TRACK_BLOCKS the block flag carries from line to line:
//     - no block open: a line beginning with the single-line marker is a comment line; a
//       line beginning with the opening marker is a comment line and opens a block, unless
//       a closing marker occurs in it (searched from the start): then the block closes on
//       that line and the line is a comment line only if that first closing marker ends it.
//     - block open: a line without a closing marker is a comment line; otherwise the block
//       closes at the first closing marker and the line is a comment line only if that
//       marker ends it.
//     A language needs both block markers to have block comments.
//  8. Any line that is not blank and not a comment line counts.
// An empty marker never matches. Nothing knows string literals, escapes or nesting.
#pragma once

#include <cstdint>

#include "linecount/LanguageTable.h"

namespace PrjHelper {

constexpr std::uint32_t CF_COUNT_REMED = 1;   // comment lines count
constexpr std::uint32_t CF_COUNT_BLANK = 2;   // blank lines count
constexpr std::uint32_t CF_TRACK_BLOCKS = 4;  // block comments may span several lines

// What a line is under rules 1-3, 6 and 7, whatever the first two bits say: blank, a comment
// line, or code. A line counts exactly when it is code, or a comment line with
// CF_COUNT_REMED, or blank with CF_COUNT_BLANK.
enum class LineKind : std::uint8_t
{
    Blank,
    Comment,
    Code,
};

// The kind of a line under the block mode given; inBlock is read and written only with
// trackBlocks and a line that is not blank.
[[nodiscard]] LineKind ClassifyLine(const CommentMarkers& markers, bool trackBlocks,
                                    const char* line, bool& inBlock);

// Returns true when the line counts under the rules above. inBlock is read and written
// only when CF_TRACK_BLOCKS is set and the line is neither blank nor counted by
// CF_COUNT_REMED.
[[nodiscard]] bool LineCounts(const CommentMarkers& markers, std::uint32_t flags, const char* line,
                              bool& inBlock);

}  // namespace PrjHelper
