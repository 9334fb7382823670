#include "sysutil/DesktopEntry.h"
#include "sysutil/Shortcut.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(CreateShortcut, WritesALinkEntryThatReadsBack)
{
    CTempFolder folder;
    const std::string link = folder.File("report.desktop");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/srv/code/main.cpp", "Main source"));
    EXPECT_EQ(ReadAll(link), "[Desktop Entry]\n"
                             "Type=Link\n"
                             "Name=main.cpp\n"
                             "URL=file:///srv/code/main.cpp\n"
                             "Comment=Main source\n");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(CreateShortcut, ReplacesAnOldLinkAndOmitsAnEmptyComment)
{
    CTempFolder folder;
    const std::string link = folder.File("a.desktop");
    std::ofstream(link) << "old contents that are longer than the new entry ...............";
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/x", nullptr));
    EXPECT_EQ(ReadAll(link), "[Desktop Entry]\nType=Link\nName=x\nURL=file:///x\n");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), "/x", ""));
    EXPECT_EQ(ReadAll(link).find("Comment"), std::string::npos);
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(CreateShortcut, RelativeTargetBecomesAbsolute)
{
    CTempFolder folder;
    const std::string link = folder.File("rel.desktop");
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
    const std::string entry =
        Brim::BuildLinkEntry("/t", " two\nExec=rm -rf ~\tand \\ back\r");
    EXPECT_NE(entry.find("Comment=\\stwo\\nExec=rm -rf ~\\tand \\\\ back\\r\n"),
              std::string::npos);
    EXPECT_EQ(entry.find("\nExec="), std::string::npos);
}

} // namespace
