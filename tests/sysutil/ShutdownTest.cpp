#include "sysutil/ShutdownExecutor.h"
#include "sysutil/SysActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Brim::ShutdownAction;
using Brim::ShutdownRequest;

// Records requests instead of shutting anything down; answers with a preset verdict.
class CFakeExecutor final : public Brim::IShutdownExecutor
{
public:
    bool Execute(const ShutdownRequest& request) override
    {
        m_Requests.push_back(request);
        return m_bAccept;
    }

    bool m_bAccept = true;
    std::vector<ShutdownRequest> m_Requests;
};

TEST(Shutdown, FlagsMapToPowerOffRebootOrLogOff)
{
    struct Case
    {
        std::uint32_t flags;
        ShutdownAction action;
        bool force;
    };
    const Case cases[] = {
        {0, ShutdownAction::LogOff, false}, {1, ShutdownAction::PowerOff, false},
        {2, ShutdownAction::Reboot, false}, {3, ShutdownAction::PowerOff, false},
        {4, ShutdownAction::LogOff, true},  {5, ShutdownAction::PowerOff, true},
        {6, ShutdownAction::Reboot, true},  {0xF8, ShutdownAction::LogOff, false},
    };
    Brim::COsVersion version(6, 1, 0, Brim::PlatformPosix);
    CFakeExecutor executor;
    Brim::CSysActions actions(&version, &executor);
    for (const Case& c : cases) {
        EXPECT_TRUE(actions.Shutdown(c.flags));
        ASSERT_FALSE(executor.m_Requests.empty());
        EXPECT_EQ(executor.m_Requests.back().action, c.action) << c.flags;
        EXPECT_EQ(executor.m_Requests.back().force, c.force) << c.flags;
    }
    EXPECT_EQ(executor.m_Requests.size(), std::size(cases));
}

TEST(Shutdown, RefusedRequestIsReportedAsFailure)
{
    Brim::COsVersion version(5, 1, 2600, Brim::PlatformNT);
    CFakeExecutor executor;
    executor.m_bAccept = false;
    Brim::CSysActions actions(&version, &executor);
    EXPECT_FALSE(actions.Shutdown(1));
    EXPECT_EQ(executor.m_Requests.size(), 1u);
}

TEST(ExitWindowsFlags, RequestsGiveTheSystemFlags)
{
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(1)), 1u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(2)), 2u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(3)), 1u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(0)), 0u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(4)), 4u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(6)), 6u);
    EXPECT_EQ(Brim::ExitWindowsFlags(Brim::MapShutdownFlags(0xFFFFFFFFu)), 5u);
}

TEST(BuildShutdownArgv, NamesTheSystemCommands)
{
    using Argv = std::vector<std::string>;
    EXPECT_EQ(Brim::BuildShutdownArgv({ShutdownAction::PowerOff, false}, 1000),
              (Argv{"systemctl", "poweroff"}));
    EXPECT_EQ(Brim::BuildShutdownArgv({ShutdownAction::Reboot, true}, 1000),
              (Argv{"systemctl", "reboot", "--force"}));
    EXPECT_EQ(Brim::BuildShutdownArgv({ShutdownAction::LogOff, true}, 1000),
              (Argv{"loginctl", "terminate-user", "1000"}));
}

}  // namespace
