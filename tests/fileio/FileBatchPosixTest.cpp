#include "fileio/FileBatch.h"

#include <fcntl.h>
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
