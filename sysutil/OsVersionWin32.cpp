#include "sysutil/OsVersion.h"

#include <windows.h>

namespace Brim {

namespace {

// The version query of the NT kernel. Unlike GetVersionExA it reports the real version to a
// program that carries no compatibility manifest.
using RtlGetVersionFn = LONG(WINAPI*)(PRTL_OSVERSIONINFOW);

static_assert(sizeof(OSVERSIONINFOA) == 148, "the narrow version record is 148 bytes");

template <class Info>
void Take(const Info& info, COsVersion& version)
{
    version.m_dwMajorVersion = info.dwMajorVersion;
    version.m_dwMinorVersion = info.dwMinorVersion;
    version.m_dwBuildNumber = info.dwBuildNumber;
    version.m_dwPlatformId = info.dwPlatformId;
}

bool QueryKernelVersion(COsVersion& version)
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const FARPROC proc = ntdll != nullptr ? ::GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    if (proc == nullptr) {
        return false;
    }
    // GetProcAddress hands back a generic function pointer; the entry point has this type.
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(proc));
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion(&info) != 0) {
        return false;
    }
    Take(info, version);
    return true;
}

}  // namespace

COsVersion::COsVersion()
{
    // Every 64-bit Windows belongs to the NT family; the query below confirms it.
    m_dwPlatformId = PlatformNT;
    if (QueryKernelVersion(*this)) {
        return;
    }
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (::GetVersionExA(&info) != FALSE) {
        Take(info, *this);
    }
}

}  // namespace Brim
