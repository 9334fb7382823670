#include "fileio/LastError.h"

#include "memory/PrimitiveTable.h"

#include <cerrno>
#include <cstring>

namespace Brim {

namespace {

// strerror_r comes in two shapes: the XSI one returns 0 and fills the buffer, the GNU one
// returns the text (which may or may not be the buffer). Overloads pick whichever we got.
[[maybe_unused]] const char* MessageOf(int result, const char* buffer)
{
    return result == 0 ? buffer : nullptr;
}

[[maybe_unused]] const char* MessageOf(const char* result, const char*)
{
    return result;
}

}  // namespace

bool GetLastErrorText(char* buffer, std::uint32_t size)
{
    const int code = errno;
    if (buffer == nullptr || size == 0)
        return true;
    char system[256] = {};
    const char* text = MessageOf(strerror_r(code, system, sizeof system), system);
    if (text == nullptr)
        text = "";
    const std::size_t length = std::strlen(text);
    const std::uint32_t copied = length < size ? static_cast<std::uint32_t>(length) : size - 1;
    GetPrimitives()->MemCopy(buffer, text, copied);
    MemZero(buffer + copied, size - copied);
    errno = code;
    return true;
}

}  // namespace Brim
