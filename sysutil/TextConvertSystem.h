// The system's text converters behind Brim::AnsiToWide and Brim::WideToAnsi.
//
// One set per platform: MultiByteToWideChar and WideCharToMultiByte with the ANSI code page
// on Windows, iconv with the locale's character set on POSIX systems. TextConvert.cpp applies
// the null, size and length rules of TextConvert.h; these routines only convert, with the
// substitution and whole-character rules stated there. Stateless; safe on any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Brim::TextSystem {

// Converts length bytes of src into dst, which holds dstSize units (dstSize > 0): as many
// whole characters as fit, then the terminator.
void WideFromAnsi(const char* src, std::size_t length, char16_t* dst, std::uint32_t dstSize);

// Converts length units of src into dst, which holds dstSize bytes (dstSize > 0): as many
// whole characters as fit, then the terminator.
void AnsiFromWide(const char16_t* src, std::size_t length, char* dst, std::uint32_t dstSize);

// The whole converted text in a new terminated buffer; null when it cannot be converted.
[[nodiscard]] std::unique_ptr<char16_t[]> WideFromAnsi(const char* src, std::size_t length);
[[nodiscard]] std::unique_ptr<char[]> AnsiFromWide(const char16_t* src, std::size_t length);

}  // namespace Brim::TextSystem
