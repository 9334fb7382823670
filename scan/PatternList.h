// The file-type filter: the type list the user types ("*.c,*.h") cut into suffix patterns
// (".c", ".h"), a name's suffix, and the match of a suffix against the patterns.
//
// Pure functions over values the caller owns; any thread may call them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintally::scan {

// Cuts the type list at every ','. An item longer than two characters that holds a '.'
// gives the item from its first '.' on; other items are dropped. Nothing is trimmed and
// no case is changed, so "*.h " gives ".h " (which never matches) and "*.*" gives ".*".
// Duplicates stay.
[[nodiscard]] std::vector<std::string> BuildPatternList(std::string_view typeList);

// The part of a file name from its first '.' on, the dot included; a name without a dot
// is its own suffix ("a.b.cpp" gives ".b.cpp", "Makefile" gives "Makefile").
[[nodiscard]] std::string_view NameSuffix(std::string_view name);

// True when a pattern is exactly ".*" or equals the suffix ignoring ASCII case.
[[nodiscard]] bool MatchPattern(const std::vector<std::string>& patterns, std::string_view suffix);

}  // namespace lintally::scan
