// Counting a stream's lines under the wide language table, in one pass and in constant
// memory, whatever the length of a line.
//
// Lines are those of LineTally (only LF ends one; the bytes after the last LF are one more
// line); their kinds follow ClassifyWideLine, except that a first line beginning "#!" is code:
// it names the program that runs the file. One call serves one stream on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "fileio/Stream.h"
#include "linecount/LineBreakdown.h"

namespace PrjHelper {

// Option bits beside the CF_ bits of LineClassifier.h: count with the wide table, and (with
// it) leave out files whose language the table does not know.
constexpr std::uint32_t CF_WIDE_TABLE = 8;
constexpr std::uint32_t CF_KNOWN_ONLY = 16;

// A "#!" line longer than this names no interpreter we know.
constexpr std::size_t kShebangMax = 256;

struct WideTallyResult
{
    LineBreakdown kinds;
    std::int32_t lang = 0;  // the language counted with; 0: none known
};

// Reads stream until its Read gives 0 and returns its lines by kind under the language lang
// (a wide id, or 0 for a file with no comment syntax) and the block mode of flags. With
// sniff and lang 0, a "#!" first line naming a known interpreter gives the language.
// keepGoing, when given, is asked before each block; false ends the count there. start: the
// stream's first bytes when they were read from it already (it then stands just past them).
[[nodiscard]] WideTallyResult TallyWideLines(Brim::IStream& stream, std::int32_t lang, bool sniff,
                                             std::uint32_t flags,
                                             const std::function<bool()>& keepGoing = {},
                                             std::string_view start = {});

}  // namespace PrjHelper
