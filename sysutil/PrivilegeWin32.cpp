#include "sysutil/Privilege.h"

#include "sysutil/OsVersion.h"

#include <windows.h>

namespace Brim {

namespace {

// Owns a kernel handle; closing it keeps the caller's last error code.
class CHandle
{
public:
    CHandle() = default;
    ~CHandle()
    {
        if (m_hHandle != nullptr) {
            const DWORD error = ::GetLastError();
            ::CloseHandle(m_hHandle);
            ::SetLastError(error);
        }
    }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    HANDLE* Receive() { return &m_hHandle; }
    HANDLE Get() const { return m_hHandle; }

private:
    HANDLE m_hHandle = nullptr;
};

}  // namespace

bool AdjustPrivilege(const char* name, std::uint32_t attributes)
{
    if (name == nullptr || COsVersion().m_dwPlatformId != PlatformNT) {
        return false;
    }
    CHandle token;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                           token.Receive()) == FALSE) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = attributes;
    if (::LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid) == FALSE) {
        return false;
    }
    // AdjustTokenPrivileges also succeeds when the token lacks the privilege; only the last
    // error code then tells that nothing was set.
    if (::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) == FALSE) {
        return false;
    }
    return ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
}

}  // namespace Brim
