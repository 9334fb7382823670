// A list of files counts each file once, however the list names it: "a.c", "./a.c",
// "src/../a.c" and a name through a link to its folder are one folder entry. The entry is
// told by its folder's real path and its own name, so two hard links or a link to a file
// stay two entries, as a walk counts them.
//
// A function over the caller's values; any thread may call it.
#pragma once

#include <string>
#include <vector>

namespace lintally::cli {

// Drops every name after the first that names the same folder entry (names are opened as
// prefix + name); the rest keep their order and their names as written.
void KeepEachFileOnce(const std::string& prefix, std::vector<std::string>& names);

}  // namespace lintally::cli
