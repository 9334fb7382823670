#include "sysutil/ProcessSpawn.h"
#include "sysutil/ShellOpenArgs.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace {

using Argv = std::vector<std::string>;
using Brim::BuildShellOpenArgv;
using lintally::testing::TempFolder;

TEST(BuildShellOpenArgv, DocumentGoesToXdgOpen)
{
    EXPECT_EQ(BuildShellOpenArgv("/home/u/a b.txt", nullptr, false),
              (Argv{"xdg-open", "/home/u/a b.txt"}));
    // Parameters mean nothing to a document.
    EXPECT_EQ(BuildShellOpenArgv("notes.txt", "-x y", false), (Argv{"xdg-open", "notes.txt"}));
}

TEST(BuildShellOpenArgv, ExecutableWithParametersRunsItselfWithSplitArguments)
{
    EXPECT_EQ(BuildShellOpenArgv("/usr/bin/tool", "  -v\tinput.c  'x;rm'  ", true),
              (Argv{"/usr/bin/tool", "-v", "input.c", "'x;rm'"}));
}

TEST(BuildShellOpenArgv, ExecutableWithoutParametersGoesToXdgOpen)
{
    EXPECT_EQ(BuildShellOpenArgv("/usr/bin/tool", "   ", true),
              (Argv{"xdg-open", "/usr/bin/tool"}));
    EXPECT_EQ(BuildShellOpenArgv("/usr/bin/tool", nullptr, true),
              (Argv{"xdg-open", "/usr/bin/tool"}));
}

TEST(BuildShellOpenArgv, NamesAreNeverReadAsOptionsOrLookedUpOnPath)
{
    EXPECT_EQ(BuildShellOpenArgv("-rf", nullptr, false), (Argv{"xdg-open", "./-rf"}));
    EXPECT_EQ(BuildShellOpenArgv("build.sh", "all", true), (Argv{"./build.sh", "all"}));
    EXPECT_EQ(BuildShellOpenArgv("bin/build.sh", "all", true), (Argv{"bin/build.sh", "all"}));
}

TEST(BuildShellOpenArgv, MissingFileGivesNothing)
{
    EXPECT_TRUE(BuildShellOpenArgv(nullptr, "x", true).empty());
    EXPECT_TRUE(BuildShellOpenArgv("", "x", true).empty());
}

TEST(IsExecutableFile, OnlyExecutableRegularFilesCount)
{
    TempFolder folder;
    const std::string plain = folder.Write("plain.txt", "text");
    const std::string script = folder.Write("run.sh", "#!/bin/sh\n");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    EXPECT_TRUE(Brim::IsExecutableFile(script.c_str()));
    EXPECT_FALSE(Brim::IsExecutableFile(plain.c_str()));
    EXPECT_FALSE(Brim::IsExecutableFile(folder.Root().c_str()));
    EXPECT_FALSE(Brim::IsExecutableFile(folder.Path("missing").c_str()));
    EXPECT_FALSE(Brim::IsExecutableFile(nullptr));
}

TEST(SpawnAndWait, ReportsStartAndExitStatus)
{
    EXPECT_TRUE(Brim::SpawnAndWait({"true"}));
    EXPECT_FALSE(Brim::SpawnAndWait({"false"}));
    EXPECT_FALSE(Brim::SpawnAndWait({"lintally-no-such-program-here"}));
    EXPECT_FALSE(Brim::SpawnAndWait({}));
}

TEST(SpawnDetached, StartedChildIsReapedWithoutTheCaller)
{
    pid_t pid = 0;
    ASSERT_TRUE(Brim::SpawnDetached({"true"}, &pid));
    ASSERT_GT(pid, 0);
    // A zombie still answers kill(pid, 0); once reaped the id is gone.
    bool gone = false;
    for (int i = 0; i < 500 && !gone; ++i) {
        gone = kill(pid, 0) != 0 && errno == ESRCH;
        if (!gone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    EXPECT_TRUE(gone);
    EXPECT_FALSE(Brim::SpawnDetached({"lintally-no-such-program-here"}));
}

}  // namespace
