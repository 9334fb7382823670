#include "tests/support/SystemError.h"

#include <windows.h>

namespace lintally::testing {

namespace {

DWORD Code(SystemError error)
{
    return error == SystemError::NotFound ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
}

}  // namespace

void SetSystemError(SystemError error)
{
    ::SetLastError(Code(error));
}

bool SystemErrorIs(SystemError error)
{
    return ::GetLastError() == Code(error);
}

std::string SystemErrorText(SystemError error)
{
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     Code(error), 0x400, text, sizeof text, nullptr);
    return text;
}

}  // namespace lintally::testing
