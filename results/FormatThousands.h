// The total as the dialog and the report show it: decimal digits with a ',' before every
// group of three counted from the right (1234567 gives "1,234,567").
//
// Pure function; any thread may call it.
#pragma once

#include <cstdint>
#include <string>

namespace lintally::results {

// A negative value keeps its '-' in front of the grouped digits.
[[nodiscard]] std::string FormatThousands(std::int64_t value);

}  // namespace lintally::results
