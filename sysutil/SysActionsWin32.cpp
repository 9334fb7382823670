#include "sysutil/SysActions.h"

#include <windows.h>

#include <shellapi.h>

namespace Brim {

std::int64_t CSysActions::QueryCounter()
{
    LARGE_INTEGER counter{};
    if (::QueryPerformanceCounter(&counter) == FALSE) {
        return 0;
    }
    return counter.QuadPart;
}

bool CSysActions::ShellOpen(const char* file, const char* parameters)
{
    if (file == nullptr || *file == '\0') {
        return false;
    }
    // No owner window, the default verb, no working folder, shown normally. Values above 32
    // mean the program started; smaller ones are error codes.
    const HINSTANCE result =
        ::ShellExecuteA(nullptr, nullptr, file, parameters, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace Brim
