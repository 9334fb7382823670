// The exit statuses of lintally-cli, shared by its commands.
#pragma once

namespace lintally::cli {

inline constexpr int kOutputFailed = 1;  // the output could not be written
inline constexpr int kUsageError = 2;
// A count or diff that finished but could not read some folders.
inline constexpr int kIncomplete = 3;
// A diff whose counted total grew by more than --fail-if-grows allows (whatever else).
inline constexpr int kGrewTooMuch = 4;
inline constexpr int kInterrupted = 128;  // plus the signal's number

}  // namespace lintally::cli
