// The per-byte syntax of each wide language, built once on first use and then only read, so
// any thread may call WideSyntaxOf.
#pragma once

#include <cstdint>

#include "linecount/WideClassifier.h"

namespace PrjHelper {

// The syntax of a wide id, or of no comment syntax for any other id.
[[nodiscard]] const WideSyntax& WideSyntaxOf(std::int32_t lang);

}  // namespace PrjHelper
