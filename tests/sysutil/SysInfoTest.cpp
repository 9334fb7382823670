#include "sysutil/SysInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using Brim::COsVersion;
using Brim::DescribeSystem;

TEST(DescribeSystem, NtVersionReadsAsWindowsNt)
{
    EXPECT_EQ(DescribeSystem("Windows", COsVersion(5, 1, 2600, Brim::PlatformNT)),
              "Windows NT 5.1 Build2600");
}

TEST(DescribeSystem, ShortBuildNumberIsPaddedToFourDigits)
{
    EXPECT_EQ(DescribeSystem("Windows", COsVersion(4, 0, 950, Brim::PlatformNT)),
              "Windows NT 4.0 Build0950");
    EXPECT_EQ(DescribeSystem("Windows", COsVersion(10, 0, 19045, Brim::PlatformNT)),
              "Windows NT 10.0 Build19045");
}

TEST(DescribeSystem, EveryOtherWindowsPlatformReadsAs9x)
{
    EXPECT_EQ(DescribeSystem("Windows", COsVersion(4, 10, 1998, Brim::PlatformWindows)),
              "Windows 9x 4.10 Build1998");
    EXPECT_EQ(DescribeSystem("Windows", COsVersion(3, 1, 0, Brim::PlatformWin32s)),
              "Windows 9x 3.1 Build0000");
}

TEST(DescribeSystem, PosixPlatformHasNoFamilyWord)
{
    EXPECT_EQ(DescribeSystem("Linux", COsVersion(6, 1, 0, Brim::PlatformPosix)),
              "Linux 6.1 Build0000");
}

TEST(DescribeSystem, LargeNumbersPrintUnsigned)
{
    EXPECT_EQ(DescribeSystem("X", COsVersion(4294967295u, 0, 7, Brim::PlatformPosix)),
              "X 4294967295.0 Build0007");
}

TEST(ParseKernelRelease, ReadsTheFirstThreeNumbers)
{
    struct Case
    {
        const char* release;
        std::uint32_t major, minor, build;
    };
    const Case cases[] = {
        {"6.1.0-27-amd64", 6, 1, 0},
        {"5.15.0-91-generic", 5, 15, 0},
        {"6.8", 6, 8, 0},
        {"4.19.325+", 4, 19, 325},
        {"6.1.0.7", 6, 1, 0},
        {"", 0, 0, 0},
        {"abc", 0, 0, 0},
        {"99999999999.2.3", 4294967295u, 2, 3},
    };
    for (const Case& c : cases) {
        COsVersion version(9, 9, 9, Brim::PlatformPosix);
        Brim::ParseKernelRelease(c.release, version);
        EXPECT_EQ(version.m_dwMajorVersion, c.major) << c.release;
        EXPECT_EQ(version.m_dwMinorVersion, c.minor) << c.release;
        EXPECT_EQ(version.m_dwBuildNumber, c.build) << c.release;
    }
    COsVersion version(9, 9, 9, Brim::PlatformPosix);
    Brim::ParseKernelRelease(nullptr, version);
    EXPECT_EQ(version.m_dwMajorVersion, 0u);
}

TEST(CSysInfo, OverlongNameIsCutToItsField)
{
    const std::string name(300, 'n');
    Brim::CSysInfo info(name.c_str(), COsVersion(5, 1, 2600, Brim::PlatformNT));
    EXPECT_EQ(std::strlen(info.GetName()), Brim::CSysInfo::kNameSize - 1);
    EXPECT_EQ(std::strlen(info.GetDescription()), 127u + std::strlen(" NT 5.1 Build2600"));
}

}  // namespace
