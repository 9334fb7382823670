// Atomic writes on POSIX systems: the replaced file's mode, links, FIFOs, and writes cut short
// by the file-size limit (which binds root too) or by the end of the process.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "fileio/AtomicFile.h"
#include "fileio/SignalCleanup.h"
#include "tests/support/TempFolder.h"

using Brim::WriteFileAtomically;
using lintally::testing::EntryCount;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

namespace {

// Lowers the file-size limit for the scope of one test, so a write fails even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

}  // namespace

TEST(WriteFileAtomically, KeepsOnlyThePermissionBitsOfTheFileItReplaces)
{
    const struct
    {
        mode_t old, kept;
    } cases[] = {{0640, 0640}, {04755, 0755}, {02775, 0775}, {01777, 0777}};
    for (const auto& c : cases) {
        const TempFolder tree;
        tree.Write("out.txt", "old");
        chmod(tree.Path("out.txt").c_str(), c.old);
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "new", error)) << error;
        struct stat info = {};
        ASSERT_EQ(stat(tree.Path("out.txt").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.kept) << std::oct << c.old;
    }
}

TEST(WriteFileAtomically, ASymbolicLinkStaysAndItsTargetIsReplaced)
{
    const TempFolder tree;
    tree.Write("real/out.txt", "old");
    std::filesystem::create_symlink("real/out.txt", tree.Path("link.txt"));
    std::filesystem::create_symlink("real/new.txt", tree.Path("dangling.txt"));
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("link.txt"), "new", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("dangling.txt"), "made", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(tree.Path("link.txt")));
    EXPECT_EQ(ReadAll(tree.Path("real/out.txt")), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(tree.Path("dangling.txt")));
    EXPECT_EQ(ReadAll(tree.Path("real/new.txt")), "made");
    EXPECT_EQ(EntryCount(tree.Path("real")), 2u);
}

TEST(WriteFileAtomically, AFifoIsWrittenNotReplacedAndWithoutAReaderIsRefused)
{
    const TempFolder tree;
    const std::string fifo = tree.Path("out.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(fifo, "nobody", error));
    EXPECT_NE(error.find("nothing is reading"), std::string::npos) << error;
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteFileAtomically(fifo, "piped", error)) << error;
    char got[16] = {};
    EXPECT_EQ(read(reader, got, sizeof got), 5);
    EXPECT_STREQ(got, "piped");
    close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, AFolderThatTakesNoNewFileGetsTheFileRewrittenInPlace)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    const TempFolder tree;
    tree.Write("shut/out.txt", "old contents");
    chmod(tree.Path("shut").c_str(), 0555);
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(tree.Path("shut/out.txt"), "new", error)) << error;
    EXPECT_FALSE(WriteFileAtomically(tree.Path("shut/other.txt"), "new", error));
    chmod(tree.Path("shut").c_str(), 0755);
    EXPECT_EQ(ReadAll(tree.Path("shut/out.txt")), "new");
    EXPECT_EQ(EntryCount(tree.Path("shut")), 1u);
}

TEST(WriteFileAtomically, ANameOfAnOpenDescriptorIsWrittenThroughIt)
{
    const TempFolder tree;
    const std::string log = tree.Write("log.txt", "log\n");
    const int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    std::string error;
    EXPECT_TRUE(WriteFileAtomically("/dev/fd/" + std::to_string(fd), "new\n", error)) << error;
    close(fd);
    EXPECT_EQ(ReadAll(log), "log\nnew\n");
}

TEST(WriteFileAtomically, AProcessKilledWhileWritingLeavesNoTemporaryFile)
{
    const TempFolder tree;
    tree.Write("out.txt", "old");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The file-size limit kills the writer (SIGXFSZ) in the middle of its write.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit tiny{16, 16};
        setrlimit(RLIMIT_FSIZE, &tiny);
        std::string error;
        (void)WriteFileAtomically(tree.Path("out.txt"), std::string(4096, 'n'), error);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "old");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(SignalCleanup, ATerminatedProcessRemovesTheFileItGuarded)
{
    const TempFolder tree;
    const std::string temp = tree.Write(".out.tmp", "partial");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const Brim::SignalCleanup cleanup(temp);
        raise(SIGTERM);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(EntryCount(tree.Root()), 0u);
}

TEST(WriteFileAtomically, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const TempFolder tree;
    tree.Write("out.txt", "old");
    std::string error;
    {
        const FileSizeLimit limit(16);
        EXPECT_FALSE(WriteFileAtomically(tree.Path("out.txt"), std::string(4096, 'n'), error));
    }
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "old");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}
