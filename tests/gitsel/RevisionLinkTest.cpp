// Where a revision's symbolic link leads: its target taken from the link's folder, with "."
// and ".." resolved, and refused where it leaves the tree.
#include "gitsel/RevisionLink.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using lintally::gitsel::LinkTargetPath;

TEST(LinkTargetPath, ResolvesFromTheLinksFolderAndRefusesWhatLeavesTheTree)
{
    const std::optional<std::string> none;
    const struct
    {
        const char* link;
        std::string target;
        std::optional<std::string> path;
    } cases[] = {
        {"link.c", "src/b.c", "src/b.c"},
        {"sub/link.c", "b.c", "sub/b.c"},
        {"sub/link.c", "../a.c", "a.c"},
        {"a/b/link.c", "./x//../../c/./d.c", "a/c/d.c"},
        {"sub/link", "dir/", "sub/dir"},
        {"link.c", "../a.c", none},  // above the top, though the name comes back in
        {"sub/link.c", "../../a.c", none},
        {"sub/link.c", "x/../../../sub/a.c", none},
        {"sub/link", "..", none},  // the top itself is no file
        {"link.c", "/etc/passwd", none},
        {"link.c", "", none},
        {"link.c", std::string("a\0b", 3), none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LinkTargetPath(c.link, c.target), c.path) << c.link << " -> " << c.target;
    }
}
