#include "sysutil/ShutdownExecutor.h"

#include <windows.h>

namespace Brim {

static_assert(EWX_LOGOFF == 0 && EWX_SHUTDOWN == 1 && EWX_REBOOT == 2 && EWX_FORCE == 4,
              "ExitWindowsFlags writes the system's own flag values");

bool CSystemShutdownExecutor::Execute(const ShutdownRequest& request)
{
    // A deliberate request of the user's program: recorded as planned, reason "other".
    constexpr DWORD kReason =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
    return ::ExitWindowsEx(ExitWindowsFlags(request), kReason) != FALSE;
}

}  // namespace Brim
