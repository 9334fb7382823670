// The code lines of a text: the lines the counter takes for code, in order, each ended by
// an LF, so two versions of a file can be compared line by line on their code alone.
//
// Lines, kinds and languages are the counter's own: LineTally's rules with the design table,
// TallyWideLines' (a "#!" first line is code) with CF_WIDE_TABLE, in the block mode of the
// flags. The number of lines returned is the code count TallyLines or TallyWideLines gives
// for the same bytes (UTF-16 with its byte order mark decoded first, as they decode it).
//
// A pure function; any thread may call it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace PrjHelper {

// lang: the id the file was counted with (a wide id, or 0, under CF_WIDE_TABLE).
[[nodiscard]] std::string CodeLines(std::string_view text, std::int32_t lang, std::uint32_t flags);

}  // namespace PrjHelper
