// Brim::AnsiToWide and Brim::WideToAnsi: text conversion between the system's narrow
// character set and UTF-16.
//
// The narrow side is the system's ANSI code page on Windows (CP_ACP) and the character set of
// the calling thread's locale (nl_langinfo(CODESET)) on POSIX systems; the wide side is
// UTF-16 in the machine's byte order, one char16_t per unit. Bytes the narrow side cannot
// decode become U+FFFD; characters it cannot encode become "?" (never a look-alike).
// Results never end inside a character: a destination that is too small receives as many
// whole characters as fit, then the terminator. Stateless; safe on any thread.
#pragma once

#include <cstdint>
#include <memory>

namespace Brim {

// Converts srcLen bytes of src (0: the whole terminated text) into dst, which holds dstSize
// units. A null src gives null. With dstSize 0 (or a null dst) nothing is converted and dst
// is returned as it is; otherwise dst first receives an empty string and then the converted,
// terminated text. Returns dst.
char16_t* AnsiToWide(const char* src, std::uint32_t srcLen, char16_t* dst, std::uint32_t dstSize);

// Converts srcLen units of src (0: the whole terminated text) into dst, which holds dstSize
// bytes; the same rules as AnsiToWide.
char* WideToAnsi(const char16_t* src, std::uint32_t srcLen, char* dst, std::uint32_t dstSize);

// Allocating forms: a terminated buffer sized from the source, holding the whole converted
// text. Null when src is null or the narrow character set cannot be converted.
[[nodiscard]] std::unique_ptr<char16_t[]> AnsiToWide(const char* src, std::uint32_t srcLen = 0);
[[nodiscard]] std::unique_ptr<char[]> WideToAnsi(const char16_t* src, std::uint32_t srcLen = 0);

}  // namespace Brim
