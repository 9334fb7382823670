#include "fileio/LastError.h"

#include "memory/PrimitiveTable.h"

#include <windows.h>
#include <cstring>

namespace Brim {

bool GetLastErrorText(char* buffer, std::uint32_t size)
{
    const DWORD code = ::GetLastError();
    if (buffer == nullptr || size == 0)
        return true;
    // Allocate the buffer, take the text from the system table, ignore inserts; the user's
    // default language.
    constexpr DWORD Flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    constexpr DWORD UserDefaultLanguage = 0x400;
    char* system = nullptr;
    const DWORD length = ::FormatMessageA(Flags, nullptr, code, UserDefaultLanguage,
                                          reinterpret_cast<char*>(&system), 0, nullptr);
    // An error code the system has no text for leaves an empty string.
    const char* text = length != 0 && system != nullptr ? system : "";
    const std::size_t textLength = std::strlen(text);
    const std::uint32_t copied =
        textLength < size ? static_cast<std::uint32_t>(textLength) : size - 1;
    GetPrimitives()->MemCopy(buffer, text, copied);
    MemZero(buffer + copied, size - copied);
    if (system != nullptr)
        ::LocalFree(system);
    ::SetLastError(code);
    return true;
}

}  // namespace Brim
