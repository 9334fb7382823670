// Tracked files and ignore rules, asked of real repositories made with the git program
// under a home folder of the test's own (so the user's global git settings play no part).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gitsel/IgnoreRules.h"
#include "gitsel/IndexFile.h"
#include "gitsel/TrackedFiles.h"
#include "gitsel/WorkTree.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::IgnoreRules;
using lintally::gitsel::IndexEntry;
using lintally::gitsel::ListTrackedFiles;
using lintally::gitsel::ReadIndexEntries;
using lintally::testing::Git;
using lintally::testing::NativePath;
using lintally::testing::TempFolder;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// A repository with a nested ignore file, a negation, an untracked and a tracked-but-ignored
// file, and a checked-out submodule; HOME points at a global excludes file of the test's own.
class GitSelection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LINTALLY_NEEDS_GIT_PROGRAM("submodule add");
        lintally::testing::SetEnv("HOME", home.Root());
        lintally::testing::SetEnv("XDG_CONFIG_HOME", home.Path("xdg"));
        home.Write(".gitconfig",
                   "[core]\n\texcludesFile = " +
                       std::filesystem::path(home.Path("global-ignore")).generic_string() + "\n");
        home.Write("global-ignore", "*.global\n");
        lib.Write("lib.c", "x\n");
        Git(lib.Root(), "init -q");
        Git(lib.Root(), "add -A");
        Git(lib.Root(), "commit -qm lib");
        repo.Write("main.c", "x\n");
        repo.Write("tracked.log", "x\n");
        repo.Write("src/a.c", "x\n");
        Git(repo.Root(), "init -q");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "submodule -q add '" + lib.Root() + "' mod");
        Git(repo.Root(), "commit -qm first");
        repo.Write(".gitignore", "*.log\ngen/*\n!gen/keep.c\n");
        repo.Write("src/.gitignore", "local.c\n");
        repo.Write("gen/made.c", "x\n");
        repo.Write("gen/keep.c", "x\n");
        repo.Write("src/local.c", "x\n");
        repo.Write("src/untracked.c", "x\n");
        repo.Write("x.global", "x\n");
    }

    TempFolder home;
    TempFolder lib;
    TempFolder repo;
};

}  // namespace

TEST_F(GitSelection, ListsTrackedFilesWithCheckedOutSubmodules)
{
    std::vector<std::string> names;
    std::string error;
    ASSERT_EQ(ListTrackedFiles(repo.Root(), names, error), GitStatus::Ok) << error;
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{".gitmodules", "main.c", "mod/lib.c",
                                                       "src/a.c", "tracked.log"}));
    ASSERT_EQ(ListTrackedFiles(repo.Path("src"), names, error), GitStatus::Ok) << error;
    EXPECT_EQ(names, std::vector<std::string>{"a.c"});
    Git(repo.Root(), "submodule -q deinit -f mod");  // no longer checked out
    ASSERT_EQ(ListTrackedFiles(repo.Root(), names, error), GitStatus::Ok) << error;
    EXPECT_EQ(std::count(names.begin(), names.end(), "mod/lib.c"), 0);
}

TEST_F(GitSelection, IgnoreRulesFollowNestedFilesNegationsAndTheGlobalFile)
{
    std::unique_ptr<IgnoreRules> rules;
    std::string error;
    ASSERT_EQ(IgnoreRules::Open(repo.Root(), rules, error), GitStatus::Ok) << error;
    EXPECT_TRUE(rules->Ignores("gen/made.c", false));
    EXPECT_FALSE(rules->Ignores("gen/keep.c", false));
    EXPECT_TRUE(rules->Ignores("src/local.c", false));
    EXPECT_FALSE(rules->Ignores("local.c", false));  // src's rules stay in src
    EXPECT_TRUE(rules->Ignores("tracked.log", false));
    EXPECT_TRUE(rules->Ignores("x.global", false));
    EXPECT_TRUE(rules->Ignores(".git", true));
    EXPECT_FALSE(rules->Ignores("src", true));
    ASSERT_EQ(IgnoreRules::Open(repo.Path("src"), rules, error), GitStatus::Ok) << error;
    EXPECT_TRUE(rules->Ignores("local.c", false));  // names are taken under the folder given
}

// A walk says which folders hold a .gitignore; a folder said to hold none is not read for one,
// while the folders above it still are.
TEST_F(GitSelection, AFolderListedWithoutAnIgnoreFileIsNotLookedInForOne)
{
    std::unique_ptr<IgnoreRules> rules;
    std::string error;
    for (const bool holds : {false, true}) {
        ASSERT_EQ(IgnoreRules::Open(repo.Root(), rules, error), GitStatus::Ok) << error;
        rules->FolderListed("src", holds);
        EXPECT_EQ(rules->Ignores("src/local.c", false), holds);
        EXPECT_TRUE(rules->Ignores("src/x.log", false));
    }
    ASSERT_EQ(IgnoreRules::Open(repo.Path("src"), rules, error), GitStatus::Ok) << error;
    rules->FolderListed("", false);
    EXPECT_FALSE(rules->Ignores("local.c", false));
    EXPECT_TRUE(rules->Ignores("x.log", false));
    for (const auto& [name, is] : {std::pair{".gitignore", true},
                                   {".GitIgnore", true},
                                   {"gitignore", false},
                                   {".gitignore~", false},
                                   {"", false}})
        EXPECT_EQ(IgnoreRules::IsIgnoreFileName(name), is) << name;
}

// The walk names paths with the system's separator ('\\' on Windows); the rules find the
// folders on the way, and their .gitignore files, all the same.
TEST(IgnoreRulesPaths, NamesWithTheSystemsSeparatorMeetTheirFoldersRules)
{
    const TempFolder repo;
    repo.Write(".gitignore", "gen/deep/\n");
    repo.Write("src/.gitignore", "local.c\n");
    Git(repo.Root(), "init -q");
    std::unique_ptr<IgnoreRules> rules;
    std::string error;
    ASSERT_EQ(IgnoreRules::Open(repo.Root(), rules, error), GitStatus::Ok) << error;
    rules->FolderListed(NativePath("src"), true);
    EXPECT_TRUE(rules->Ignores(NativePath("src/local.c"), false));
    EXPECT_FALSE(rules->Ignores(NativePath("gen/local.c"), false));
    EXPECT_TRUE(rules->Ignores(NativePath("gen/deep"), true));
    EXPECT_TRUE(rules->Ignores(NativePath("sub/.git"), true));
}

TEST(GitSelectionOutside, AFolderOutsideAnyWorkTreeIsSaidSo)
{
    const TempFolder plain;
    std::vector<std::string> names{"stale"};
    std::string error;
    lintally::testing::SetEnv("GIT_CEILING_DIRECTORIES", plain.Root());
    EXPECT_EQ(ListTrackedFiles(plain.Root(), names, error), GitStatus::NotAWorkTree);
    EXPECT_NE(error.find("not in a git work tree"), std::string::npos);
    EXPECT_TRUE(names.empty());
    std::unique_ptr<IgnoreRules> rules;
    EXPECT_EQ(IgnoreRules::Open(plain.Root(), rules, error), GitStatus::NotAWorkTree);
    lintally::testing::UnsetEnv("GIT_CEILING_DIRECTORIES");
}

TEST(WorkTree, TheLibraryIsLeftAloneOnlyWhereNoFolderUpwardsMayBeARepository)
{
    using lintally::gitsel::MayBeInRepository;
    const TempFolder plain;
    if (MayBeInRepository(plain.Root())) {
        GTEST_SKIP() << "the temporary folder lies in a repository";
    }
    const std::string deep = plain.Folder("a/b/c");
    EXPECT_FALSE(MayBeInRepository(deep));
    // A ".git" folder or file above, or a HEAD (a repository's own folder), may make a work
    // tree, and so may a folder that cannot be resolved: libgit2 decides.
    for (const auto& [entry, folder] : std::vector<std::pair<std::string, bool>>{
             {"a/.git", true}, {"a/b/.git", false}, {"a/HEAD", false}}) {
        const TempFolder tree;
        const std::string below = tree.Folder("a/b/c");
        if (folder) {
            tree.Folder(entry);
        } else {
            tree.Write(entry, "gitdir: elsewhere\n");
        }
        EXPECT_TRUE(MayBeInRepository(below)) << entry;
    }
    EXPECT_TRUE(MayBeInRepository(plain.Path("missing")));
}

namespace {

struct Listed
{
    std::vector<std::string> entries;  // "path stage mode[ skip]" in the file's order
    bool read = false;
};

std::string IndexBytes(const TempFolder& repo)
{
    std::ifstream in(repo.Path(".git/index"), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

Listed Read(const std::string& bytes)
{
    Listed listed;
    listed.read = ReadIndexEntries(bytes, [&listed](const IndexEntry& entry) {
        std::ostringstream line;
        line << entry.path << ' ' << entry.stage << ' ' << std::oct << entry.mode
             << (entry.skipWorktree ? " skip" : "");
        listed.entries.push_back(line.str());
    });
    return listed;
}

// bytes with an extension of the given signature before the closing checksum.
std::string WithExtension(std::string bytes, const char* signature)
{
    bytes.insert(bytes.size() - 20, signature + std::string("\0\0\0\4", 4) + "data");
    return bytes;
}

}  // namespace

// Each index format git writes reads to the same entries, and what this reader cannot read
// exactly (a split index, a file cut short) is refused so that libgit2 reads it instead.
TEST_F(GitSelection, TheIndexReaderReadsEveryVersionGitWrites)
{
    const std::string deep = std::string(200, 'd') + "/" + std::string(200, 'e');
    repo.Write(deep + "/long.c", "x\n");
    Git(repo.Root(), "add -A");
    const std::vector<std::string> expected = {".gitignore 0 100644",      ".gitmodules 0 100644",
                                               deep + "/long.c 0 100644",  "gen/keep.c 0 100644",
                                               "main.c 0 100644",          "mod 0 160000",
                                               "src/.gitignore 0 100644",  "src/a.c 0 100644",
                                               "src/untracked.c 0 100644", "tracked.log 0 100644"};
    for (const char* version : {"2", "3", "4"}) {
        Git(repo.Root(), std::string("update-index --index-version ") + version);
        const std::string bytes = IndexBytes(repo);
        const Listed listed = Read(bytes);
        EXPECT_TRUE(listed.read) << version;
        EXPECT_EQ(listed.entries, expected) << version;
        for (const std::size_t cut : {1, 300}) {
            EXPECT_FALSE(Read(bytes.substr(0, bytes.size() - cut)).read) << version << " " << cut;
        }
        EXPECT_TRUE(Read(WithExtension(bytes, "ZZZZ")).read) << "an extension to pass over";
        EXPECT_FALSE(Read(WithExtension(bytes, "link")).read) << "entries in a second file";
        EXPECT_FALSE(Read(WithExtension(bytes, "sdir")).read) << "entries that are folders";
    }
    Git(repo.Root(), "update-index --skip-worktree main.c");
    EXPECT_EQ(Read(IndexBytes(repo)).entries[4], "main.c 0 100644 skip");
    std::vector<std::string> names;
    std::string error;
    ASSERT_EQ(ListTrackedFiles(repo.Root(), names, error), GitStatus::Ok) << error;
    EXPECT_EQ(std::count(names.begin(), names.end(), "main.c"), 0);
}

TEST_F(GitSelection, APathInConflictIsListedOnce)
{
    Git(repo.Root(), "checkout -q -b side");
    repo.Write("main.c", "side\n");
    Git(repo.Root(), "commit -qam side");
    Git(repo.Root(), "checkout -q -");
    repo.Write("main.c", "here\n");
    Git(repo.Root(), "commit -qam here");
    const std::string merge = "git -C '" + repo.Root() +
                              "' -c user.name=t -c user.email=t@t merge -q side >/dev/null 2>&1";
    EXPECT_NE(std::system(merge.c_str()), 0) << "the merge stops at the conflict";
    const Listed listed = Read(IndexBytes(repo));
    ASSERT_TRUE(listed.read);
    EXPECT_EQ(
        std::count_if(listed.entries.begin(), listed.entries.end(),
                      [](const std::string& entry) { return entry.rfind("main.c ", 0) == 0; }),
        3);
    std::vector<std::string> names;
    std::string error;
    ASSERT_EQ(ListTrackedFiles(repo.Root(), names, error), GitStatus::Ok) << error;
    EXPECT_EQ(std::count(names.begin(), names.end(), "main.c"), 1);
}

// A sparse index stands for each folder outside the checkout by one entry. The reader refuses
// it, for the folder entry and for the extension alike, and so does libgit2 (1.5): the tracked
// files cannot be listed, which is said in one line.
TEST_F(GitSelection, ASparseIndexIsRefusedInOneLine)
{
    repo.Write("out/x.c", "x\n");
    Git(repo.Root(), "add out/x.c");
    Git(repo.Root(), "commit -qm out");
    Git(repo.Root(), "sparse-checkout set --cone --sparse-index src");
    const std::string bytes = IndexBytes(repo);
    EXPECT_FALSE(Read(bytes).read);
    const std::size_t sdir = bytes.find(std::string("sdir\0\0\0\0", 8));
    ASSERT_NE(sdir, std::string::npos);
    EXPECT_FALSE(Read(std::string(bytes).erase(sdir, 8)).read) << "a folder entry alone";
    std::vector<std::string> names;
    std::string error;
    EXPECT_EQ(ListTrackedFiles(repo.Root(), names, error), GitStatus::Failed);
    EXPECT_NE(error.find("cannot read the git index"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(names.empty());
}
