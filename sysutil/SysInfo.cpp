#include "sysutil/SysInfo.h"

#include <cstdio>
#include <cstring>

namespace Brim {

namespace {

// Copies text into a fixed field, cutting it to fit and always terminating it.
void CopyField(char* field, std::size_t size, const char* text)
{
    std::snprintf(field, size, "%s", text);
}

}  // namespace

std::string DescribeSystem(const char* name, const COsVersion& version)
{
    std::string text = (name != nullptr) ? name : "";
    if (version.m_dwPlatformId == PlatformNT) {
        text += " NT";
    } else if (version.m_dwPlatformId != PlatformPosix) {
        text += " 9x";
    }
    // Three 10-digit numbers and the fixed words fit easily.
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, " %u.%u Build%04u", version.m_dwMajorVersion,
                  version.m_dwMinorVersion, version.m_dwBuildNumber);
    text += numbers;
    return text;
}

CSysInfo::CSysInfo(const char* name, const COsVersion& version)
    : m_Version(version), m_Actions(&m_Version)
{
    Fill(name != nullptr ? name : "");
}

void CSysInfo::Fill(const char* name)
{
    CopyField(m_szName, sizeof m_szName, name);
    CopyField(m_szDesc, sizeof m_szDesc, DescribeSystem(m_szName, m_Version).c_str());
}

}  // namespace Brim
