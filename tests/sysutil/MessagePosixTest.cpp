#include "fileio/LastError.h"
#include "sysutil/MessagePresenter.h"
#include "sysutil/SysActions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

TEST(ShowMessage, WithoutPresenterWritesToStandardErrorAndGivesZero)
{
    Brim::IMessagePresenter* previous = Brim::InstallMessagePresenter(nullptr);
    Brim::COsVersion version(6, 1, 0, Brim::PlatformPosix);
    Brim::CSysActions actions(&version);
    ::testing::internal::CaptureStderr();
    const std::int32_t result = actions.ShowMessage("Lintally", "Disk full", 4, 2);
    const std::string written = ::testing::internal::GetCapturedStderr();
    Brim::InstallMessagePresenter(previous);
    EXPECT_EQ(result, 0);
    EXPECT_NE(written.find("Lintally"), std::string::npos);
    EXPECT_NE(written.find("Disk full"), std::string::npos);
}

TEST(CSysActions, LastErrorTextIsTheLibraryText)
{
    Brim::COsVersion version(6, 1, 0, Brim::PlatformPosix);
    Brim::CSysActions actions(&version);
    char expected[128];
    char actual[128];
    errno = ENOENT;
    ASSERT_TRUE(Brim::GetLastErrorText(expected, sizeof expected));
    errno = ENOENT;
    ASSERT_TRUE(actions.GetLastErrorText(actual, sizeof actual));
    EXPECT_STREQ(actual, expected);
    EXPECT_GT(std::string(actual).size(), 0u);
}

}  // namespace
