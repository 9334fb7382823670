#include "sysutil/SysInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

namespace {

TEST(CSysInfo, DescribesTheRunningWindowsAsNt)
{
    Brim::CSysInfo info;
    const Brim::COsVersion& version = info.GetVersion();
    EXPECT_STREQ(info.GetName(), "Windows");
    EXPECT_EQ(version.m_dwPlatformId, Brim::PlatformNT);
    EXPECT_GE(version.m_dwMajorVersion, 5u);
    EXPECT_EQ(info.GetDescription(), Brim::DescribeSystem("Windows", version));
    EXPECT_EQ(std::string(info.GetDescription()).rfind("Windows NT ", 0), 0u);
}

TEST(COsVersion, IsNeverOlderThanTheCompatibilityView)
{
    // GetVersionExA answers a program without a compatibility manifest with an older version
    // (6.2 on every later Windows); the kernel's own answer is at least that.
    OSVERSIONINFOA view{};
    view.dwOSVersionInfoSize = sizeof view;
    ASSERT_NE(GetVersionExA(&view), FALSE);
    const Brim::COsVersion version;
    EXPECT_GE(std::tie(version.m_dwMajorVersion, version.m_dwMinorVersion),
              std::tie(view.dwMajorVersion, view.dwMinorVersion));
    EXPECT_EQ(version.m_dwPlatformId, view.dwPlatformId);
    EXPECT_GT(version.m_dwBuildNumber, 0u);
}

}  // namespace
