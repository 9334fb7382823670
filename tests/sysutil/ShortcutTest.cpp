#include "sysutil/Shortcut.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using lintally::testing::EntryCount;
using lintally::testing::TempFolder;

namespace {

TEST(CreateShortcut, FailingPathLeavesNothingBehind)
{
    TempFolder folder;
    const std::string target = folder.Root();
    const std::string missing = folder.Path("missing/link");
    EXPECT_FALSE(Brim::CreateShortcut(missing.c_str(), target.c_str(), "d"));
    // A folder in the link's place cannot be replaced by the link.
    std::filesystem::create_directory(folder.Path("taken"));
    EXPECT_FALSE(Brim::CreateShortcut(folder.Path("taken").c_str(), target.c_str(), "d"));
    EXPECT_EQ(EntryCount(folder.Root()), 1u);
}

TEST(CreateShortcut, MissingPathsAreRefused)
{
    TempFolder folder;
    const std::string link = folder.Path("link");
    const std::string target = folder.Root();
    EXPECT_FALSE(Brim::CreateShortcut(nullptr, target.c_str(), "d"));
    EXPECT_FALSE(Brim::CreateShortcut("", target.c_str(), "d"));
    EXPECT_FALSE(Brim::CreateShortcut(link.c_str(), nullptr, "d"));
    EXPECT_FALSE(Brim::CreateShortcut(link.c_str(), "", "d"));
    EXPECT_EQ(EntryCount(folder.Root()), 0u);
}

}  // namespace
