#include "fileio/FileBatch.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "fileio/ReadOnlyFile.h"
#include "tests/support/PosixTree.h"

using Brim::FileBatch;
using lintally::testing::MakeLink;
using lintally::testing::TempFolder;

// A batch opens what OpenListedAt opens and fails where it fails; its descriptors read the
// files and are closed by Close. Without a ring nothing is tried.
TEST(FileBatch, OpensAsAListedOpenDoesAndClosesWhatItOpened)
{
    TempFolder folder;
    folder.Write("a.c", "abc");
    folder.Write("b.c", "de");
    MakeLink(folder, "link.c", "a.c");
    const int dir = ::open(folder.Path("").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    const char* names[] = {"a.c", "missing.c", "link.c", "b.c"};
    const int folders[] = {dir, dir, dir, dir};
    int results[4] = {};
    FileBatch batch;
    batch.OpenListed(folders, names, results);
    if (!batch.Ready()) {
        for (const int result : results)
            EXPECT_EQ(result, FileBatch::kNotTried);
        GTEST_SKIP() << "no submission ring here";
    }
    EXPECT_EQ(results[1], -ENOENT);
    EXPECT_EQ(results[2], -ELOOP);
    for (const auto& [at, text] : {std::pair{0, "abc"}, {3, "de"}}) {
        ASSERT_GE(results[at], 0);
        Brim::ReadOnlyFile file;
        file.AdoptListed(results[at]);
        char bytes[8] = {};
        EXPECT_EQ(std::string(bytes, file.Read(bytes, sizeof bytes)), text);
        EXPECT_EQ(file.Release(), results[at]);
    }
    batch.Close(results);
    for (const int at : {0, 3})
        EXPECT_EQ(::fcntl(results[at], F_GETFD), -1) << "descriptor " << at << " left open";
    ::close(dir);
}

// Opens refused for want of descriptors are left to the caller, not given as the files'
// errors.
TEST(FileBatch, AnOpenOutOfDescriptorsIsLeftToTheCaller)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' runtime needs descriptors of its own";
#endif
    TempFolder folder;
    folder.Write("a.c", "abc");
    const int dir = ::open(folder.Path("").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(dir, 0);
    FileBatch batch;
    if (!batch.Ready())
        GTEST_SKIP() << "no submission ring here";
    // The lowest free descriptor and one more are all the opens may take.
    const int lowest = ::dup(dir);
    ASSERT_GE(lowest, 0);
    ::close(lowest);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowest + 2);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const char* names[] = {"a.c", "a.c", "a.c", "a.c"};
    const int folders[] = {dir, dir, dir, dir};
    int results[4] = {};
    batch.OpenListed(folders, names, results);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    int refused = 0;
    for (const int result : results) {
        EXPECT_TRUE(result >= 0 || result == FileBatch::kNotTried) << result;
        refused += result == FileBatch::kNotTried;
    }
    EXPECT_GE(refused, 2);
    batch.Close(results);
    ::close(dir);
}
