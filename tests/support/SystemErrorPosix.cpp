#include "tests/support/SystemError.h"

#include <cerrno>
#include <cstring>

namespace lintally::testing {

namespace {

int Code(SystemError error)
{
    return error == SystemError::NotFound ? ENOENT : EACCES;
}

}  // namespace

void SetSystemError(SystemError error)
{
    errno = Code(error);
}

bool SystemErrorIs(SystemError error)
{
    return errno == Code(error);
}

std::string SystemErrorText(SystemError error)
{
    return std::strerror(Code(error));
}

}  // namespace lintally::testing
