// A first-parent history counted commit by commit, on a repository made with the git program:
// adds, removals, a rename, a link, a submodule and a merge. Each commit's groups and totals
// are those of a count of that revision, and what is kept from commit to commit is reused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gitsel/History.h"
#include "gitsel/RevisionFileSet.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/SymbolicLink.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::History;
using lintally::gitsel::Revision;
using lintally::gitsel::RevisionFileSet;
using lintally::testing::Git;
using lintally::testing::GitOutput;
using lintally::testing::TempFolder;
namespace scan = lintally::scan;

namespace {

// first: 40 files in gen/, a.c, src/deep/x.py, link.c -> a.c, lnk/to-a.c -> ../a.c (its
// folder stays the same while a.c changes); second: a.c edited, gen/f00.c removed, src/deep/x.py
// renamed to src/y.py, a submodule; a merge of a side branch; last: only gen/f05.c changed.
class HistoryCounts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lintally::testing::SetEnv("HOME", home.Root());
        lib.Write("lib.c", "int lib;\n");
        Git(lib.Root(), "init -q");
        Git(lib.Root(), "add -A");
        Git(lib.Root(), "commit -qm lib");
        for (int i = 0; i < 40; ++i) {
            char n[16];
            std::snprintf(n, sizeof n, "%02d", i);
            repo.Write(std::string("gen/f") + n + ".c", std::string("int f") + n + ";\n// f\n\n");
        }
        repo.Write("a.c", "int a;\n");
        repo.Write("src/deep/x.py", "x = 1\n# x\n");
        if (!lintally::testing::MakeSymbolicLink("a.c", repo.Path("link.c"))) {
            GTEST_SKIP() << "this system makes no symbolic links for this user";
        }
        repo.Write("lnk/keep.c", "int k;\n");
        ASSERT_TRUE(lintally::testing::MakeSymbolicLink("../a.c", repo.Path("lnk/to-a.c")));
        Git(repo.Root(), "init -q -b main");
        Commit("first");
        repo.Write("a.c", "int a;\nint b;\n");
        Git(repo.Root(), "rm -q gen/f00.c");
        Git(repo.Root(), "mv src/deep/x.py src/y.py");
        Git(repo.Root(), "submodule -q add '" + lib.Root() + "' mod");
        Commit("second");
        Git(repo.Root(), "checkout -q -b side");
        repo.Write("side.c", "int side;\n");
        Commit("side");
        Git(repo.Root(), "checkout -q main");
        repo.Write("main.c", "int m;\n");
        Commit("main");
        Git(repo.Root(), "merge -q --no-ff -m merged side");
        repo.Write("gen/f05.c", "int f05;\nint more;\n");
        Commit("last");
    }

    void Commit(const std::string& message)
    {
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm " + message);
    }

    std::unique_ptr<History> Open(const scan::CountRequest& shape)
    {
        std::unique_ptr<History> history;
        std::string error;
        EXPECT_EQ(History::Open(repo.Root(), "HEAD", shape, history, error), GitStatus::Ok)
            << error;
        return history;
    }

    static scan::ScanResult CountOf(History& history, std::size_t index)
    {
        scan::ScanResult result;
        std::string error;
        scan::NullScanSink sink;
        EXPECT_EQ(history.Count(index, scan::StopToken(), sink, result, error), GitStatus::Ok)
            << error;
        return result;
    }

    // The count of the revision as --rev counts it.
    scan::ScanResult RevisionCount(const std::string& commit, const scan::CountRequest& shape)
    {
        std::unique_ptr<Revision> revision;
        std::string error;
        EXPECT_EQ(Revision::Open(repo.Root(), commit, true, revision, error), GitStatus::Ok);
        const RevisionFileSet files(*revision, nullptr);
        scan::CountRequest request = shape;
        request.files = files.Files();
        scan::NullScanSink sink;
        return scan::Count(request, scan::StopToken(), sink);
    }

    static std::string Shown(const scan::ScanResult& result)
    {
        std::ostringstream text;
        for (const scan::GroupRow& group : result.groups) {
            text << group.name << ' ' << group.files << ' ' << group.lines << ' '
                 << group.kinds.code << ' ' << group.kinds.comment << ' ' << group.kinds.blank
                 << '\n';
        }
        text << "total " << result.files << ' ' << result.total << ' ' << result.kinds.code << ' '
             << result.kinds.comment << ' ' << result.kinds.blank << '\n';
        return text.str();
    }

    TempFolder home;
    TempFolder lib;
    TempFolder repo;
};

}  // namespace

TEST_F(HistoryCounts, EachFirstParentCommitCountsAsItsRevision)
{
    const scan::Grouping byLanguage;
    const scan::Grouping byFolder{scan::GroupBy::Folder, 2};
    scan::Selection noPython;
    std::string error;
    ASSERT_TRUE(noPython.AddExclude("*.py", error));
    struct Case
    {
        const scan::Grouping* grouping;
        const scan::Selection* selection;
        unsigned jobs;
        bool everyLine;
    };
    for (const Case& c : {Case{&byLanguage, nullptr, 1, true}, Case{&byFolder, &noPython, 2, false},
                          Case{&byLanguage, &noPython, 2, true}}) {
        scan::CountRequest shape;
        shape.settings.languages = scan::LanguageTable::Wide;
        shape.settings.types.clear();
        shape.settings.excludeBlank = !c.everyLine;
        shape.grouping = c.grouping;
        shape.selection = c.selection;
        shape.jobs = c.jobs;
        const auto history = Open(shape);
        ASSERT_TRUE(history);
        std::string ids;
        for (const auto& commit : history->Commits()) {
            ids += commit.id + '\n';
        }
        EXPECT_EQ(ids, GitOutput(repo.Root(), "rev-list --first-parent HEAD"));
        // Oldest first, then newest first again: the second pass reuses all of the first.
        const std::size_t count = history->Commits().size();
        for (std::size_t step = 0; step < 2 * count; ++step) {
            const std::size_t index = step < count ? count - 1 - step : step - count;
            const std::string& id = history->Commits()[index].id;
            EXPECT_EQ(Shown(CountOf(*history, index)), Shown(RevisionCount(id, shape)))
                << id << " jobs " << c.jobs;
        }
    }
}

TEST_F(HistoryCounts, ACommitCostsWhatItChanged)
{
    scan::CountRequest shape;
    const scan::Grouping byLanguage;
    shape.grouping = &byLanguage;
    const auto history = Open(shape);
    ASSERT_TRUE(history);
    const std::size_t count = history->Commits().size();
    ASSERT_EQ(count, 5u);
    for (std::size_t index = count; index-- > 1;) {
        (void)CountOf(*history, index);
    }
    // The dialog's types leave the .py file out: 44 files (each link counts a.c's bytes under
    // its own name), then a.c, both links and mod/lib.c, then main.c, then side.c (the merge).
    EXPECT_EQ(history->Work().blobsCounted, 44u + 4u + 1u + 1u);
    const lintally::gitsel::HistoryWork before = history->Work();
    (void)CountOf(*history, 0);
    // gen/f05.c alone is read; the top (which holds a link and a submodule), lnk/ (a link)
    // and gen/ are walked, src/ and the submodule are taken whole.
    EXPECT_EQ(history->Work().blobsCounted - before.blobsCounted, 1u);
    EXPECT_EQ(history->Work().treesWalked - before.treesWalked, 3u);
    (void)CountOf(*history, 0);
    EXPECT_EQ(history->Work().blobsCounted - before.blobsCounted, 1u);
    EXPECT_EQ(history->Work().treesWalked - before.treesWalked, 3u + 2u);
}
