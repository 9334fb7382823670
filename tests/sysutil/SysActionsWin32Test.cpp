#include "fileio/LastError.h"
#include "sysutil/Privilege.h"
#include "sysutil/SysActions.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

class SysActionsWin32Test : public ::testing::Test
{
protected:
    Brim::COsVersion m_Version;
    Brim::CSysActions m_Actions{&m_Version};
};

TEST_F(SysActionsWin32Test, CounterAdvancesAtThePerformanceFrequency)
{
    LARGE_INTEGER frequency{};
    ASSERT_NE(QueryPerformanceFrequency(&frequency), FALSE);
    const std::int64_t before = m_Actions.QueryCounter();
    Sleep(20);
    const std::int64_t after = m_Actions.QueryCounter();
    EXPECT_GT(before, 0);
    // At least 10 ms worth of ticks: the counter is in performance-counter units.
    EXPECT_GE(after - before, frequency.QuadPart / 100);
}

TEST_F(SysActionsWin32Test, ShellOpenOfAMissingFileReportsFailure)
{
    EXPECT_FALSE(m_Actions.ShellOpen("C:\\lintally-no-such-folder\\missing.txt", nullptr));
    EXPECT_FALSE(m_Actions.ShellOpen("C:\\lintally-no-such-folder\\missing.exe", "-v"));
    EXPECT_FALSE(m_Actions.ShellOpen(nullptr, nullptr));
    EXPECT_FALSE(m_Actions.ShellOpen("", nullptr));
}

TEST_F(SysActionsWin32Test, LastErrorTextIsTheSystemText)
{
    char expected[128];
    char actual[128];
    SetLastError(ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(Brim::GetLastErrorText(expected, sizeof expected));
    SetLastError(ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(m_Actions.GetLastErrorText(actual, sizeof actual));
    EXPECT_STREQ(actual, expected);
    EXPECT_GT(std::string(actual).size(), 0u);
}

TEST(AdjustPrivilege, UnknownOrMissingNamesFail)
{
    EXPECT_FALSE(Brim::AdjustPrivilege(nullptr, Brim::PrivilegeEnabled));
    EXPECT_FALSE(Brim::AdjustPrivilege("SeLintallyNoSuchPrivilege", Brim::PrivilegeEnabled));
}

TEST(AdjustPrivilege, RemovedPrivilegeCannotBeEnabledAgain)
{
    // The token of this test process only: the privilege is gone for its remaining life.
    ASSERT_TRUE(Brim::AdjustPrivilege("SeShutdownPrivilege", Brim::PrivilegeEnabled));
    ASSERT_TRUE(Brim::AdjustPrivilege("SeShutdownPrivilege", Brim::PrivilegeRemoved));
    EXPECT_FALSE(Brim::AdjustPrivilege("SeShutdownPrivilege", Brim::PrivilegeEnabled));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));
}

}  // namespace
