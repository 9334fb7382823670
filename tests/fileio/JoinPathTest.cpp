#include "fileio/JoinPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct JoinCase
{
    const char* root;
    const char* name;
    const char* posix;    // the joined path on POSIX systems
    const char* windows;  // and on Windows, which takes '\' and '/' as separators
};

}  // namespace

TEST(JoinPath, PutsOneSeparatorBetweenRootAndName)
{
    const JoinCase cases[] = {
        {"src", "a.c", "src/a.c", "src\\a.c"},
        {"src/", "a.c", "src/a.c", "src/a.c"},
        {"C:/src/", "a.c", "C:/src/a.c", "C:/src/a.c"},
        {"src\\", "a.c", "src\\/a.c", "src\\a.c"},
        {"/", "a.c", "/a.c", "/a.c"},
        // Only a missing separator is added; the root is never trimmed.
        {"src//", "a.c", "src//a.c", "src//a.c"},
        {"", "a.c", "/a.c", "\\a.c"},
        {"src", "", "src/", "src\\"},
        {"src/", "", "src/", "src/"},
    };
    for (const JoinCase& c : cases) {
#ifdef _WIN32
        const std::string expected = c.windows;
#else
        const std::string expected = c.posix;
#endif
        EXPECT_EQ(Brim::JoinPath(c.root, c.name), expected) << c.root << " + " << c.name;
    }
}
