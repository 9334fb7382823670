#include "scan/CountRequest.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TempFolder.h"

using lintally::scan::Count;
using lintally::scan::CountRequest;
using lintally::scan::NullScanSink;
using lintally::scan::ScanOptions;
using lintally::scan::ScanResult;
using lintally::scan::StopToken;
using lintally::testing::NativePath;
using lintally::testing::TempFolder;

namespace {

std::vector<std::pair<std::string, std::uint64_t>> Rows(const ScanResult& result)
{
    std::vector<std::pair<std::string, std::uint64_t>> rows;
    for (const auto row : result.rows) {
        rows.emplace_back(row.name, row.lines);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

TEST(Count, AWalkAListAndThePacedWalkGiveTheSameRows)
{
    const TempFolder tree;
    tree.Write("a.c", "int a;\n\n// c\n");
    tree.Write("sub/b.h", "int b;\n");
    tree.Write("skip.txt", "text\n");
    StopToken stop;
    NullScanSink sink;
    CountRequest walk;
    walk.files.root = tree.Root();
    walk.settings.types = "*.c,*.h";
    walk.settings.excludeBlank = true;
    walk.jobs = 2;
    const ScanResult walked = Count(walk, stop, sink);
    EXPECT_EQ(Rows(walked), (decltype(Rows(walked)){{"a.c", 2}, {NativePath("sub/b.h"), 1}}));

    const std::vector<std::string> names = {"a.c", NativePath("sub/b.h"), "skip.txt"};
    CountRequest list = walk;
    list.files.root = tree.Path("");
    list.files.names = &names;
    EXPECT_EQ(Rows(Count(list, stop, sink)), Rows(walked));

    // The dialog's way: its live options count, the settings give only the types.
    CountRequest paced = walk;
    paced.settings.excludeBlank = false;
    const ScanOptions live(walk.settings);
    paced.live = &live;
    paced.pace = [] { return true; };
    EXPECT_EQ(Rows(Count(paced, stop, sink)), Rows(walked));
}

TEST(Count, TheFoldersTheSetLeftOutComeFirstAmongTheSkipped)
{
    const TempFolder tree;
    tree.Write("a.c", "x;\n");
    CountRequest request;
    request.files.root = tree.Root();
    request.files.missing = {{"module", "its commit is missing"}};
    StopToken stop;
    NullScanSink sink;
    const ScanResult result = Count(request, stop, sink);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].name, "module");
    EXPECT_EQ(result.total, 1u);
}
