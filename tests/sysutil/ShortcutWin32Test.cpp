#include "sysutil/Shortcut.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <filesystem>
#include <string>

using lintally::testing::EntryCount;
using lintally::testing::TempFolder;

namespace {

struct LinkContents
{
    std::string target;
    std::string arguments;
    std::string description;
};

// Loads a saved link through the shell's own link object, as Explorer would read it.
bool LoadLink(const std::string& path, LinkContents& contents)
{
    const std::wstring widePath = std::filesystem::path(path).wstring();
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return false;
    }
    IPersistFile* file = nullptr;
    bool loaded =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath.c_str(), STGM_READ));
    char text[INFOTIPSIZE] = {};
    loaded = loaded && SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0));
    contents.target = text;
    loaded = loaded && SUCCEEDED(link->GetArguments(text, INFOTIPSIZE));
    contents.arguments = text;
    loaded = loaded && SUCCEEDED(link->GetDescription(text, INFOTIPSIZE));
    contents.description = text;
    if (file != nullptr) {
        file->Release();
    }
    link->Release();
    return loaded;
}

// Runs each test with COM on its thread, as a program that reads links would, and a target
// file to link to. The links are read after CreateShortcut has ended its own COM session, so
// they also show that it leaves the caller's session running.
class ShortcutWin32Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        m_strTarget = m_Folder.Write("main.cpp", "int main() { return 0; }\n");
    }
    void TearDown() override { CoUninitialize(); }

    TempFolder m_Folder;
    std::string m_strTarget;
};

TEST_F(ShortcutWin32Test, SavedLinkReadsBackWithTargetAndDescription)
{
    const std::string link = m_Folder.Path("main.lnk");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), m_strTarget.c_str(), "Main source"));
    EXPECT_GT(std::filesystem::file_size(link), 0u);
    LinkContents contents;
    ASSERT_TRUE(LoadLink(link, contents));
    EXPECT_STRCASEEQ(contents.target.c_str(), m_strTarget.c_str());
    EXPECT_EQ(contents.arguments, "");
    EXPECT_EQ(contents.description, "Main source");
}

TEST_F(ShortcutWin32Test, LinkWithoutDescriptionReplacesAnOldFile)
{
    const std::string link = m_Folder.Write("old.lnk", "not a shell link");
    ASSERT_TRUE(Brim::CreateShortcut(link.c_str(), m_strTarget.c_str(), nullptr));
    LinkContents contents;
    ASSERT_TRUE(LoadLink(link, contents));
    EXPECT_STRCASEEQ(contents.target.c_str(), m_strTarget.c_str());
    EXPECT_EQ(contents.description, "");
}

TEST_F(ShortcutWin32Test, LinkPathLongerThanAShellLinkPathIsRefused)
{
    const std::string longName(300, 'n');
    const std::string link = m_Folder.Path(longName + ".lnk");
    EXPECT_FALSE(Brim::CreateShortcut(link.c_str(), m_strTarget.c_str(), "d"));
    // Nothing was saved under a cut name: the target is the folder's only entry.
    EXPECT_EQ(EntryCount(m_Folder.Root()), 1u);
}

}  // namespace
