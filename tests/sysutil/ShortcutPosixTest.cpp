#include "sysutil/DesktopEntry.h"
#include "sysutil/Shortcut.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using lintally::testing::EntryCount;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

namespace {

TEST(CreateShortcut, WritesALinkEntryThatReadsBack)
{
    TempFolder folder;
    const std::string link = folder.Path("report.desktop");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/srv/code/main.cpp", "Main source"));
    EXPECT_EQ(ReadAll(link),
              "[Desktop Entry]\n"
              "Type=Link\n"
              "Name=main.cpp\n"
              "URL=file:///srv/code/main.cpp\n"
              "Comment=Main source\n");
    EXPECT_EQ(EntryCount(folder.Root()), 1u);
}

TEST(CreateShortcut, ReplacesAnOldLinkAndOmitsAnEmptyComment)
{
    TempFolder folder;
    const std::string link = folder.Write(
        "a.desktop", "old contents that are longer than the new entry ...............");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/x", nullptr));
    EXPECT_EQ(ReadAll(link), "[Desktop Entry]\nType=Link\nName=x\nURL=file:///x\n");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/x", ""));
    EXPECT_EQ(ReadAll(link).find("Comment"), std::string::npos);
    EXPECT_EQ(EntryCount(folder.Root()), 1u);
}

TEST(CreateShortcut, RelativeTargetBecomesAbsolute)
{
    TempFolder folder;
    const std::string link = folder.Path("rel.desktop");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "sub/file.h", nullptr));
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_NE(ReadAll(link).find("URL=" + Brim::FileUrlFromPath(cwd + "/sub/file.h") + "\n"),
              std::string::npos);
}

TEST(FileUrlFromPath, EncodesEveryByteOutsideThePathAlphabet)
{
    EXPECT_EQ(Brim::FileUrlFromPath("/a b/100%/x#y?z"), "file:///a%20b/100%25/x%23y%3Fz");
    EXPECT_EQ(Brim::FileUrlFromPath("/caf\xC3\xA9/A-Z_a.z~0"), "file:///caf%C3%A9/A-Z_a.z~0");
    EXPECT_EQ(Brim::FileUrlFromPath("/new\nline"), "file:///new%0Aline");
}

TEST(BuildLinkEntry, DescriptionCannotAddKeysOfItsOwn)
{
    const std::string entry = Brim::BuildLinkEntry("/t", " two\nExec=rm -rf ~\tand \\ back\r");
    EXPECT_NE(entry.find("Comment=\\stwo\\nExec=rm -rf ~\\tand \\\\ back\\r\n"), std::string::npos);
    EXPECT_EQ(entry.find("\nExec="), std::string::npos);
}

}  // namespace
