// Brim::CSysInfo: the running system's name, version and a one-line description, plus the
// system actions bound to that version.
//
// The description comes from DescribeSystem, a pure function of a name and a COsVersion, so
// every wording ("Windows NT 5.1 Build2600", "Linux 6.1 Build0000") can be produced and
// checked without the system it describes. CSysInfo owns its fields and its actions; the
// actions point at the object's own version, so it can be neither copied nor moved.
// One thread at a time per object.
#pragma once

#include "sysutil/OsVersion.h"
#include "sysutil/SysActions.h"

#include <cstdint>
#include <string>

namespace Brim {

// "<name>", then " NT" for the NT platform, " 9x" for any other Windows platform id and
// nothing for PlatformPosix, then " <major>.<minor> Build<build>" with the build number
// padded with zeros to at least four digits.
[[nodiscard]] std::string DescribeSystem(const char* name, const COsVersion& version);

class CSysInfo
{
public:
    static constexpr std::uint32_t kNameSize = 128;
    static constexpr std::uint32_t kDescSize = 256;

    // The running system: name "Windows" on Windows, from uname() ("Linux") on POSIX
    // systems; version from COsVersion().
    CSysInfo();
    // A given name and version; a name longer than the field is cut to fit.
    CSysInfo(const char* name, const COsVersion& version);

    CSysInfo(const CSysInfo&) = delete;
    CSysInfo& operator=(const CSysInfo&) = delete;

    [[nodiscard]] const char* GetName() const { return m_szName; }
    [[nodiscard]] const char* GetDescription() const { return m_szDesc; }
    [[nodiscard]] const COsVersion& GetVersion() const { return m_Version; }
    [[nodiscard]] ISysActions& GetActions() { return m_Actions; }

private:
    void Fill(const char* name);

    char m_szName[kNameSize] = {};
    char m_szDesc[kDescSize] = {};
    COsVersion m_Version;
    CSysActions m_Actions;
};

}  // namespace Brim
