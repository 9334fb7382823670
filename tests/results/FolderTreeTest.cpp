// The folder tree a treemap draws: sums on every level, files beside sub-folders as ".",
// the narrowest folders folded into "N more", nothing without code.
#include "results/FolderTree.h"

#include <gtest/gtest.h>

using namespace lintally::results;
using lintally::scan::RowList;

namespace {

std::string Describe(const FolderNode& node)
{
    std::string text = node.name;
    text.append(":").append(std::to_string(node.code)).append("/");
    text.append(std::to_string(node.files));
    const char* separator = "(";
    for (const FolderNode& child : node.children) {
        text.append(separator).append(Describe(child));
        separator = " ";
    }
    return text.append(node.children.empty() ? "" : ")");
}

}  // namespace

TEST(BuildFolderTree, SumsFoldersToTheirDepthAndWidth)
{
    // Code is the last of the breakdown's three numbers.
    const RowList rows{{"top.c", 0, {0, 0, 4}, 0},       {"src/a.c", 0, {0, 0, 10}, 0},
                       {"src/lib/b.c", 0, {0, 0, 7}, 0}, {"src/lib/deep/c.c", 0, {0, 0, 3}, 0},
                       {"doc/x.md", 0, {0, 0, 2}, 0},    {"empty/x.txt", 0, {5, 0, 0}, 0},
                       {"tools/y.sh", 0, {0, 0, 1}, 0}};
    const struct
    {
        unsigned levels;
        std::size_t width;
        const char* tree;
    } cases[] = {
        {0, 9, ".:27/7"},
        {1, 9, ".:27/7(src:20/3 .:4/1 doc:2/1 tools:1/1)"},
        {2, 9, ".:27/7(src:20/3(.:10/1 lib:10/2) .:4/1 doc:2/1 tools:1/1)"},
        {2, 3, ".:27/7(src:20/3(.:10/1 lib:10/2) .:4/1 2 more:3/2)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(BuildFolderTree(rows, c.levels, c.width)), c.tree) << c.levels;
    }
}
