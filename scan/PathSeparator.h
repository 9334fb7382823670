// The one separator this build puts between path parts, in full paths and in row names.
//
// A constant: no state, usable from any thread.
#pragma once

namespace lintally::scan {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace lintally::scan
