// How many columns of a terminal a table cell takes, so a name that is not ASCII (or not
// UTF-8 at all) keeps the columns after it in line.
//
// A pure function; any thread may call it.
#pragma once

#include <cstddef>
#include <string_view>

namespace lintally::results {

// Each UTF-8 character one column, an East Asian wide one two, a combining mark or a
// zero-width character none; each byte that is not part of valid UTF-8 one (a terminal shows
// it as a replacement character, a single-byte code page as a character of its own).
[[nodiscard]] std::size_t DisplayWidth(std::string_view text);

}  // namespace lintally::results
