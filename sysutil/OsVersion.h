// Brim::COsVersion: the running system's version numbers and platform id.
//
// The default constructor asks the running system once: on Windows through RtlGetVersion
// (GetVersionExA reports an older version to programs without a compatibility manifest), with
// the system's own platform id; on POSIX systems from uname(), where the kernel release
// "6.1.0-27" gives major 6, minor 1, build 0 and the platform id is PlatformPosix. The value
// constructor exists so that every wording built from a version can be produced anywhere.
// A plain value: copy it freely; every operation is safe on any thread.
#pragma once

#include <cstdint>

namespace Brim {

// Platform ids. The Windows family keeps its own numbers (2 is the NT family); POSIX systems
// get an id of their own that no Windows version uses.
constexpr std::uint32_t PlatformWin32s = 0;
constexpr std::uint32_t PlatformWindows = 1;
constexpr std::uint32_t PlatformNT = 2;
constexpr std::uint32_t PlatformPosix = 0x100;

class COsVersion
{
public:
    // Reads the running system's version; the numbers stay 0 when the system cannot tell.
    COsVersion();
    COsVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
               std::uint32_t platformId);

    std::uint32_t m_dwMajorVersion = 0;
    std::uint32_t m_dwMinorVersion = 0;
    std::uint32_t m_dwBuildNumber = 0;
    std::uint32_t m_dwPlatformId = PlatformPosix;
};

// Reads up to three dot-separated numbers from the front of a kernel release text
// ("5.15.0-91-generic" gives 5, 15, 0). Numbers that are missing stay 0; a number too large
// for 32 bits is held at the largest value. A null text gives 0, 0, 0.
void ParseKernelRelease(const char* release, COsVersion& version);

}  // namespace Brim
