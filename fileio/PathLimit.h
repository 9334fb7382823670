// The longest path, in bytes, that this system can open: a name read from outside (a list
// of files, a saved count) that is longer names no file here and is refused before it is
// kept.
//
// A constant; any thread may read it.
#pragma once

#include <climits>
#include <cstddef>

namespace Brim {

#if defined(_WIN32)
// 32,767 UTF-16 units with long paths enabled, each at most 3 bytes of UTF-8.
inline constexpr std::size_t kLongestPath = 32767 * 3;
#else
// PATH_MAX counts the terminating NUL.
inline constexpr std::size_t kLongestPath = PATH_MAX - 1;
#endif

}  // namespace Brim
