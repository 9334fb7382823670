#include "fileio/LastError.h"
#include "sysutil/MessagePresenter.h"
#include "sysutil/SysActions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

using Brim::MessageButtons;
using Brim::MessageChoice;
using Brim::MessageIcon;

// Records what it was asked to show and answers with a preset choice.
class CFakePresenter final : public Brim::IMessagePresenter
{
public:
    MessageChoice Present(const char* caption, const char* text, MessageButtons buttons,
                          MessageIcon icon) override
    {
        m_strCaption = caption;
        m_strText = text;
        m_Buttons = buttons;
        m_Icon = icon;
        ++m_nCalls;
        return m_Answer;
    }

    MessageChoice m_Answer = MessageChoice::Ok;
    std::string m_strCaption;
    std::string m_strText;
    MessageButtons m_Buttons = MessageButtons::Ok;
    MessageIcon m_Icon = MessageIcon::None;
    int m_nCalls = 0;
};

// Installs a fake presenter for one test and puts the previous one back.
class ShowMessageTest : public ::testing::Test
{
protected:
    void SetUp() override { m_pPrevious = Brim::InstallMessagePresenter(&m_Presenter); }
    void TearDown() override { Brim::InstallMessagePresenter(m_pPrevious); }

    std::int32_t Show(std::uint32_t buttons, std::uint32_t icon, MessageChoice answer)
    {
        m_Presenter.m_Answer = answer;
        return m_Actions.ShowMessage("Title", "Body", buttons, icon);
    }

    CFakePresenter m_Presenter;
    Brim::IMessagePresenter* m_pPrevious = nullptr;
    Brim::COsVersion m_Version{6, 1, 0, Brim::PlatformPosix};
    Brim::CSysActions m_Actions{&m_Version};
};

TEST_F(ShowMessageTest, ButtonCodesSelectTheButtonSet)
{
    const MessageButtons expected[] = {MessageButtons::Ok,          MessageButtons::Ok,
                                       MessageButtons::OkCancel,    MessageButtons::RetryCancel,
                                       MessageButtons::YesNo,       MessageButtons::YesNoCancel,
                                       MessageButtons::Ok};
    for (std::uint32_t code = 0; code < 7; ++code) {
        Show(code, 0, MessageChoice::None);
        EXPECT_EQ(m_Presenter.m_Buttons, expected[code]) << code;
    }
    Show(0xFFFFFFFFu, 0, MessageChoice::None);
    EXPECT_EQ(m_Presenter.m_Buttons, MessageButtons::Ok);
}

TEST_F(ShowMessageTest, IconCodesSelectTheIcon)
{
    const MessageIcon expected[] = {MessageIcon::None, MessageIcon::Information,
                                    MessageIcon::Error, MessageIcon::Question, MessageIcon::None};
    for (std::uint32_t code = 0; code < 5; ++code) {
        Show(1, code, MessageChoice::Ok);
        EXPECT_EQ(m_Presenter.m_Icon, expected[code]) << code;
    }
    EXPECT_EQ(m_Presenter.m_strCaption, "Title");
    EXPECT_EQ(m_Presenter.m_strText, "Body");
}

TEST_F(ShowMessageTest, ChosenButtonsGiveTheirResultCodes)
{
    EXPECT_EQ(Show(1, 0, MessageChoice::Ok), 1);
    EXPECT_EQ(Show(5, 0, MessageChoice::Yes), 2);
    EXPECT_EQ(Show(5, 0, MessageChoice::No), 3);
    EXPECT_EQ(Show(5, 0, MessageChoice::Cancel), 4);
    EXPECT_EQ(Show(3, 0, MessageChoice::Retry), 5);
    EXPECT_EQ(Show(3, 0, MessageChoice::Cancel), 4);
    EXPECT_EQ(Show(2, 0, MessageChoice::Ok), 1);
}

TEST_F(ShowMessageTest, ClosedBoxOrButtonNotShownGivesZero)
{
    EXPECT_EQ(Show(4, 3, MessageChoice::None), 0);
    EXPECT_EQ(Show(4, 3, MessageChoice::Cancel), 0);
    EXPECT_EQ(Show(1, 0, MessageChoice::Retry), 0);
}

TEST_F(ShowMessageTest, NullTextsReachThePresenterAsEmptyTexts)
{
    m_Actions.ShowMessage(nullptr, nullptr, 1, 1);
    EXPECT_EQ(m_Presenter.m_nCalls, 1);
    EXPECT_EQ(m_Presenter.m_strCaption, "");
    EXPECT_EQ(m_Presenter.m_strText, "");
}

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

TEST(CSysActions, CounterNeverRunsBackwards)
{
    Brim::COsVersion version(6, 1, 0, Brim::PlatformPosix);
    Brim::CSysActions actions(&version);
    const std::int64_t first = actions.QueryCounter();
    const std::int64_t second = actions.QueryCounter();
    EXPECT_GT(first, 0);
    EXPECT_GE(second, first);
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

} // namespace
