// The name a counted file is shown under: its full path without the root folder the scan
// started with, and without the one separator that follows the root.
//
// Pure functions; any thread may call them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintally::scan {

// Where the relative name starts inside fullPath: after the first rootLength characters,
// and after one separator found there. Never beyond the end of fullPath.
[[nodiscard]] std::size_t RelativeNameOffset(std::size_t rootLength, std::string_view fullPath);

// "/src/lib" (with or without a trailing '/') and "/src/lib/a/b.c" give "a/b.c".
[[nodiscard]] std::string RelativeName(std::string_view root, std::string_view fullPath);

}  // namespace lintally::scan
