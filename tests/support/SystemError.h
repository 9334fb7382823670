// The system's own error codes and texts, for tests that set an error and read back what
// the code under test made of it: errno and strerror on POSIX, SetLastError and
// FormatMessageA on Windows.
//
// Free functions; they touch the calling thread's error state only.
#pragma once

#include <string>

namespace lintally::testing {

enum class SystemError
{
    NotFound,      // a file that does not exist
    AccessDenied,  // a file the caller may not open
};

// Makes error the calling thread's last system error.
void SetSystemError(SystemError error);
// True while error is still the calling thread's last system error.
bool SystemErrorIs(SystemError error);
// The system's text for error, as it gives it.
std::string SystemErrorText(SystemError error);

}  // namespace lintally::testing
