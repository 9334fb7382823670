#include "sysutil/Shortcut.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(CreateShortcut, FailingPathLeavesNothingBehind)
{
    CTempFolder folder;
    const std::string target = folder.Path().string();
    const std::string missing = (folder.Path() / "missing" / "link").string();
    EXPECT_FALSE(Brim::CreateShortcut(missing.c_str(), target.c_str(), "d"));
    // A folder in the link's place cannot be replaced by the link.
    std::filesystem::create_directory(folder.File("taken"));
    EXPECT_FALSE(Brim::CreateShortcut(folder.File("taken").c_str(), target.c_str(), "d"));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(CreateShortcut, MissingPathsAreRefused)
{
    CTempFolder folder;
    const std::string link = folder.File("link");
    const std::string target = folder.Path().string();
    EXPECT_FALSE(Brim::CreateShortcut(nullptr, target.c_str(), "d"));
    EXPECT_FALSE(Brim::CreateShortcut("", target.c_str(), "d"));
    EXPECT_FALSE(Brim::CreateShortcut(link.c_str(), nullptr, "d"));
    EXPECT_FALSE(Brim::CreateShortcut(link.c_str(), "", "d"));
    EXPECT_EQ(folder.EntryCount(), 0u);
}

} // namespace
