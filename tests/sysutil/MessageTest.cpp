#include "sysutil/MessagePresenter.h"
#include "sysutil/SysActions.h"

#include <gtest/gtest.h>

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
    const MessageButtons expected[] = {MessageButtons::Ok,       MessageButtons::Ok,
                                       MessageButtons::OkCancel, MessageButtons::RetryCancel,
                                       MessageButtons::YesNo,    MessageButtons::YesNoCancel,
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
    const MessageIcon expected[] = {MessageIcon::None, MessageIcon::Information, MessageIcon::Error,
                                    MessageIcon::Question, MessageIcon::None};
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

TEST(CSysActions, CounterNeverRunsBackwards)
{
    Brim::COsVersion version(6, 1, 0, Brim::PlatformPosix);
    Brim::CSysActions actions(&version);
    const std::int64_t first = actions.QueryCounter();
    const std::int64_t second = actions.QueryCounter();
    EXPECT_GT(first, 0);
    EXPECT_GE(second, first);
}

TEST(MessageBoxStyle, ButtonSetsAndIconsGiveTheSystemStyle)
{
    EXPECT_EQ(Brim::MessageBoxStyle(MessageButtons::Ok, MessageIcon::None), 0x00u);
    EXPECT_EQ(Brim::MessageBoxStyle(MessageButtons::OkCancel, MessageIcon::Information), 0x41u);
    EXPECT_EQ(Brim::MessageBoxStyle(MessageButtons::RetryCancel, MessageIcon::Error), 0x15u);
    EXPECT_EQ(Brim::MessageBoxStyle(MessageButtons::YesNo, MessageIcon::Question), 0x24u);
    EXPECT_EQ(Brim::MessageBoxStyle(MessageButtons::YesNoCancel, MessageIcon::None), 0x03u);
}

TEST(ChoiceFromMessageBoxResult, SystemResultsGiveTheChosenButton)
{
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(1), MessageChoice::Ok);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(2), MessageChoice::Cancel);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(4), MessageChoice::Retry);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(6), MessageChoice::Yes);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(7), MessageChoice::No);
    // No box shown (0), and Abort or Ignore, which ShowMessage never offers.
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(0), MessageChoice::None);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(3), MessageChoice::None);
    EXPECT_EQ(Brim::ChoiceFromMessageBoxResult(5), MessageChoice::None);
}

}  // namespace
