// UTF-8 read one sequence at a time, for code that must tell valid text from stray bytes
// (names are bytes as the file system gives them and need not be UTF-8).
//
// Pure functions; any thread may call them.
#pragma once

#include <cstddef>
#include <string_view>

namespace Brim {

// The length of the valid UTF-8 sequence that starts at text[i], or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view text, std::size_t i);

// The code point of the valid sequence of the given length at text[i].
[[nodiscard]] char32_t Utf8CodePoint(std::string_view text, std::size_t i, std::size_t length);

}  // namespace Brim
