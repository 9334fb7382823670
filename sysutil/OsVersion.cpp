#include "sysutil/OsVersion.h"

#include <cstdint>
#include <limits>

namespace Brim {

namespace {

// Reads one decimal number at text, saturating at the largest 32-bit value; returns the
// position after the digits (text itself when there are none).
const char* ReadNumber(const char* text, std::uint32_t& value)
{
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t result = 0;
    while (*text >= '0' && *text <= '9') {
        const auto digit = static_cast<std::uint32_t>(*text - '0');
        result = (result > (kMax - digit) / 10) ? kMax : result * 10 + digit;
        ++text;
    }
    value = result;
    return text;
}

}  // namespace

COsVersion::COsVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                       std::uint32_t platformId)
    : m_dwMajorVersion(major), m_dwMinorVersion(minor), m_dwBuildNumber(build),
      m_dwPlatformId(platformId)
{}

void ParseKernelRelease(const char* release, COsVersion& version)
{
    std::uint32_t* const fields[] = {&version.m_dwMajorVersion, &version.m_dwMinorVersion,
                                     &version.m_dwBuildNumber};
    for (std::uint32_t* field : fields) {
        *field = 0;
    }
    if (release == nullptr) {
        return;
    }
    const char* cursor = release;
    for (std::uint32_t* field : fields) {
        const char* next = ReadNumber(cursor, *field);
        if (next == cursor || *next != '.') {
            return;
        }
        cursor = next + 1;
    }
}

}  // namespace Brim
