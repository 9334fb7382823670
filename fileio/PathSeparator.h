// The one separator this build puts between path parts, in full paths and in row names,
// and the characters it accepts as a separator in paths the user gives (Windows takes '/'
// beside '\', so "src/" and "src\" name the same root there).
//
// The one place that knows the platform's path rules; code above it never tests for one.
// Constants and a pure function: no state, usable from any thread.
#pragma once

#include <string>
#include <string_view>

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

// A path written with '/' between its parts (as git stores paths) with this build's separator.
[[nodiscard]] inline std::string WithPathSeparator(std::string_view slashed)
{
    std::string path(slashed);
    for (char& c : path) {
        if (c == '/') {
            c = kPathSeparator;
        }
    }
    return path;
}

// The same path with '/' between its parts, as git names it.
[[nodiscard]] inline std::string WithSlashes(std::string_view path)
{
    std::string slashed(path);
    for (char& c : slashed) {
        if (IsPathSeparator(c)) {
            c = '/';
        }
    }
    return slashed;
}

}  // namespace Brim
