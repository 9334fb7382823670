// Joining a folder and a name under it into one path, with this build's separator.
//
// A pure function: no state, usable from any thread.
#pragma once

#include <string>
#include <string_view>

namespace Brim {

// root, a separator, then name; no separator is added when root already ends in one (either
// one on Windows, so "C:/src/" and "a.c" give "C:/src/a.c"). An empty root gives the
// separator and name, a path from the file system's root; an empty name gives root ending
// in a separator, the prefix of the paths under it.
[[nodiscard]] std::string JoinPath(std::string_view root, std::string_view name);

}  // namespace Brim
