// The one separator this build puts between path parts, in full paths and in row names,
// and the characters it accepts as a separator in paths the user gives (Windows takes '/'
// beside '\', so "src/" and "src\" name the same root there).
//
// Constants and a pure function: no state, usable from any thread.
#pragma once

namespace lintally::scan {

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

}  // namespace lintally::scan
