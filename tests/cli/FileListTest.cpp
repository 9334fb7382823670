#include "cli/FileList.h"

#include <gtest/gtest.h>

#include "cli/ListedOnce.h"
#include "tests/support/TempFolder.h"

using lintally::cli::FileListSplitter;
using lintally::cli::KeepEachFileOnce;
using lintally::testing::NativePath;
using lintally::testing::TempFolder;

TEST(FileListSplitter, SplitsAcrossBlocksAndRefusesWhatNamesNoFile)
{
    struct Case
    {
        bool nul;
        std::vector<std::string> blocks;
        std::vector<std::string> names;  // the names read up to the refusal, if any
        const char* error;               // empty: read
    };
    const Case cases[] = {
        {false, {"a.c\r", "\nb", ".c\n\nc.c"}, {"a.c", "b.c", "c.c"}, ""},
        {true, {std::string("a.c\0\0b", 6), std::string(".c\0", 3)}, {"a.c", "b.c"}, ""},
        // Eight bytes at most, and nine with the CR a line end may carry.
        {false, {"12345678\r\n", "1234", "56789\n"}, {"12345678"}, "line 2 is longer"},
        {true, {std::string("123456789\0", 10)}, {}, "name 1 is longer"},
        {false, {"a.c\n", std::string("b\0c\n", 4)}, {"a.c"}, "line 2 holds a NUL byte"},
        {false, {"a.c\n", std::string("b\0c", 3)}, {"a.c"}, "line 2 holds a NUL byte"},
    };
    for (const Case& c : cases) {
        FileListSplitter splitter(c.nul, 8);
        std::vector<std::string> names;
        std::string error;
        bool read = true;
        for (const std::string& block : c.blocks) {
            read = read && splitter.Feed(block, names, error);
        }
        read = read && splitter.Finish(names, error);
        EXPECT_EQ(read, *c.error == '\0') << error;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(names, c.names);
    }
}

TEST(FileListSplitter, AnEndlessLineIsRefusedOnceItPassesThePathLimit)
{
    // An input that never ends a line, as /dev/zero is: the splitter holds no more than
    // one name, and says so as soon as the name cannot be a path.
    FileListSplitter splitter(false, 4095);
    const std::string zeros(65536, '\0');
    std::vector<std::string> names;
    std::string error;
    int blocks = 0;
    while (blocks < 100000 && splitter.Feed(zeros, names, error)) {
        ++blocks;
    }
    EXPECT_EQ(blocks, 0);
    EXPECT_EQ(error, "line 1 is longer than any path (4095 bytes)");
}

TEST(KeepEachFileOnce, DropsLaterNamesOfTheSameEntryAndKeepsOrder)
{
    const TempFolder tree;
    tree.Write("a.c", "");
    tree.Write("sub/b.c", "");
    std::vector<std::string> names = {
        "a.c",
        "sub/b.c",
        "./a.c",
        "a.c",
        NativePath("sub/../a.c"),
        NativePath("sub/./b.c"),
        "b.c",
        "gone/x.c",
        NativePath("gone/./x.c"),
    };
    KeepEachFileOnce(tree.Path(""), names);
    EXPECT_EQ(names, (std::vector<std::string>{"a.c", "sub/b.c", "b.c", "gone/x.c"}));
}
