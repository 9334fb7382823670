// The name a mistyped one most likely meant ("--type" for "--types"), for the errors of
// unknown options and unknown settings.
//
// A pure function; any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintally::cli {

// The candidate fewest edits (a letter added, dropped, changed, or two swapped) away from
// name, or an empty text when none is near enough to be what was meant (a third of name's
// length).
[[nodiscard]] std::string NearestName(std::string_view name,
                                      const std::vector<std::string>& candidates);

}  // namespace lintally::cli
