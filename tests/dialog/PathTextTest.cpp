// The paths the dialog shows: the home folder as "~", and where the destination starts.
#include "dialog/PathText.h"
#include "scan/Presets.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#ifndef _WIN32
TEST(HomeAbbreviated, ShowsTheHomeFolderAsTildeAndTheDestinationTakesItBack)
{
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    const struct
    {
        const char* home;
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/ann", "/home/ann/project/", "~/project/"},
        {"/home/ann/", "/home/ann/project", "~/project"},
        {"/home/ann", "/home/ann", "~"},
        {"/home/ann", "/home/anne/project", "/home/anne/project"},
        {"/home/ann", "/srv/home/ann", "/srv/home/ann"},
        {"/", "/usr", "/usr"},
        {"", "/home/ann", "/home/ann"},
    };
    for (const auto& c : cases) {
        setenv("HOME", c.home, 1);
        EXPECT_EQ(HomeAbbreviated(c.path), c.shown) << c.path << " in " << c.home;
        EXPECT_EQ(RootFromDestination(c.shown), c.path) << c.shown;
    }
    setenv("HOME", savedHome.c_str(), 1);
}
#endif

TEST(StartDestination, IsTheWorkingFolderWhereThePresetsCannotExist)
{
    lintally::testing::TempFolder folder;
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder.Root());
    const std::string start = StartDestination();
    std::filesystem::current_path(saved);
    if (lintally::scan::kStartDestination == lintally::scan::StartDestination::FirstPreset) {
        EXPECT_EQ(start, lintally::scan::kDestinationPresets[0]);
    } else {
        EXPECT_TRUE(std::filesystem::equivalent(RootFromDestination(start), folder.Root()))
            << start;
    }
}
