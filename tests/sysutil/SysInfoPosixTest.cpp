#include "sysutil/SysInfo.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace {

using Brim::DescribeSystem;

TEST(CSysInfo, DescribesTheRunningSystemFromUname)
{
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    Brim::CSysInfo info;
    EXPECT_STREQ(info.GetName(), names.sysname);
    EXPECT_EQ(info.GetVersion().m_dwPlatformId, Brim::PlatformPosix);
    EXPECT_NE(info.GetVersion().m_dwPlatformId, Brim::PlatformNT);
    EXPECT_EQ(info.GetDescription(), DescribeSystem(names.sysname, info.GetVersion()));
    EXPECT_GT(info.GetActions().QueryCounter(), 0);
}

}  // namespace
