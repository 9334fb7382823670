// A chain of folders whose paths grow far past the system's path limit.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/CountRequest.h"
#include "tests/scan/WalkRequest.h"
#include "tests/support/TempFolder.h"

using namespace lintally::scan;
using lintally::testing::PacedWalk;
using lintally::testing::TempFolder;
using lintally::testing::Walk;

namespace {

const std::string kLevel = "level-of-a-deep-chain";

// Made and removed through folder descriptors: no call ever takes the whole path.
class DeepChain
{
public:
    DeepChain(const std::string& root, int depth)
    {
        m_fds.push_back(open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        for (int level = 0; level < depth; ++level) {
            mkdirat(m_fds.back(), kLevel.c_str(), 0755);
            m_fds.push_back(
                openat(m_fds.back(), kLevel.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        }
        const int file = openat(m_fds.back(), "deep.c", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        EXPECT_EQ(write(file, "a\nb\n", 4), 4);
        close(file);
    }
    ~DeepChain()
    {
        unlinkat(m_fds.back(), "deep.c", 0);
        for (std::size_t i = m_fds.size() - 1; i > 0; --i) {
            close(m_fds[i]);
            unlinkat(m_fds[i - 1], kLevel.c_str(), AT_REMOVEDIR);
        }
        close(m_fds[0]);
    }
    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

private:
    std::vector<int> m_fds;
};

}  // namespace

TEST(Count, FilesFarBelowThePathLimitAreCounted)
{
    const TempFolder tree;
    tree.Write("top.c", "x\n");
    const DeepChain chain(tree.Root(), 400);  // about 8,800 bytes of path
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    for (const ScanResult& result : {Count(Walk(tree.Root(), "*.c", options, 3), stop, quiet),
                                     Count(PacedWalk(tree.Root(), "*.c", options), stop, quiet)}) {
        EXPECT_EQ(result.total, 3u);
        ASSERT_EQ(result.rows.size(), 2u);
        EXPECT_GT(result.rows[0].name.size(), 400 * kLevel.size());
        EXPECT_TRUE(result.skipped.empty());
    }
}
