// The one separator this build puts between path parts, in full paths and in row names,
// and the characters it accepts as a separator in paths the user gives (Windows takes '/'
// beside '\', so "src/" and "src\" name the same root there).
//
// The one place that knows the platform's path rules; code above it never tests for one.
// Constants and a pure function: no state, usable from any thread.
#pragma once

namespace Brim {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

[[nodiscard]] constexpr bool IsPathSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

}  // namespace Brim
