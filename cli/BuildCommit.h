// The git commit the program was built from, found at build time (cmake/BuildCommit.cmake).
//
// A constant; any thread may read it.
#pragma once

namespace lintally::cli {

// 12 hex digits, or "unknown" when the source was not a git checkout.
extern const char* const kBuildCommit;

}  // namespace lintally::cli
