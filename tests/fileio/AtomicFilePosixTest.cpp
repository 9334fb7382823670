// Atomic writes on POSIX systems: the replaced file's mode, and a write cut short by the
// file-size limit (which binds root too).
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <csignal>

#include "fileio/AtomicFile.h"
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

TEST(WriteFileAtomically, KeepsTheModeOfTheFileItReplaces)
{
    const TempFolder tree;
    tree.Write("out.txt", "old");
    chmod(tree.Path("out.txt").c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "new", error)) << error;
    struct stat info{};
    ASSERT_EQ(stat(tree.Path("out.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
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
