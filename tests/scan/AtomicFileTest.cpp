#include "scan/AtomicFile.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/scan/TempTree.h"

using lintally::scan::WriteFileAtomically;
using lintally::testing::TempTree;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t EntryCount(const std::string& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

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

TEST(WriteFileAtomically, CreatesANewFile)
{
    const TempTree tree;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "hello\r\n", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "hello\r\n");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, ReplacesTheOldFileWholeAndKeepsItsMode)
{
    const TempTree tree;
    tree.File("out.txt", std::string(5000, 'x'));
    chmod(tree.Path("out.txt").c_str(), 0640);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "short", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "short");
    struct stat info{};
    ASSERT_EQ(stat(tree.Path("out.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteFileAtomically, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const TempTree tree;
    tree.File("out.txt", "old");
    std::string error;
    {
        const FileSizeLimit limit(16);
        EXPECT_FALSE(WriteFileAtomically(tree.Path("out.txt"), std::string(4096, 'n'), error));
    }
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "old");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, FailsWhenTheTargetIsAFolderOrItsFolderIsMissing)
{
    const TempTree tree;
    tree.File("dir/keep.txt", "kept");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(tree.Path("dir"), "x", error));
    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(tree.Path("dir/keep.txt")), "kept");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(tree.Path("missing/out.txt"), "x", error));
    EXPECT_FALSE(error.empty());
}
