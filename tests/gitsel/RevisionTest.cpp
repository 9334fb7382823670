// A revision's files and bytes, read from repositories made with the git program: commits
// that add, remove, rename and edit, a tag, symbolic links, submodules and a bare clone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gitsel/Revision.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/SymbolicLink.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::Revision;
using lintally::testing::Git;
using lintally::testing::GitOutput;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// v1: a.c, old.c, src/b.c and links to a file, a folder and nothing; HEAD: a.c edited,
// old.c removed, src/b.c renamed to src/moved.c, new.c (executable) added, a checked-out
// submodule.
class RevisionFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lintally::testing::SetEnv("HOME", home.Root());
        lib.Write("lib.c", "int lib;\n");
        Git(lib.Root(), "init -q");
        Git(lib.Root(), "add -A");
        Git(lib.Root(), "commit -qm lib");
        repo.Write("a.c", "int a;\n");
        repo.Write("old.c", "int old;\n");
        repo.Write("src/b.c", "int b;\n// b\n");
        if (!lintally::testing::MakeSymbolicLink("src/b.c", repo.Path("link.c"))) {
            GTEST_SKIP() << "this system makes no symbolic links for this user";
        }
        ASSERT_TRUE(lintally::testing::MakeSymbolicLink("src", repo.Path("dirlink.c")));
        ASSERT_TRUE(lintally::testing::MakeSymbolicLink("nowhere.c", repo.Path("dangling.c")));
        Git(repo.Root(), "init -q");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm first");
        Git(repo.Root(), "tag v1");
        repo.Write("a.c", "int a;\nint more;\n");
        std::filesystem::remove(repo.Path("old.c"));
        Git(repo.Root(), "mv src/b.c src/moved.c");
        std::filesystem::remove(repo.Path("link.c"));
        ASSERT_TRUE(lintally::testing::MakeSymbolicLink("src/moved.c", repo.Path("link.c")));
        repo.Write("new.c", "int n;\n");
        std::filesystem::permissions(repo.Path("new.c"), std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        Git(repo.Root(), "submodule -q add '" + lib.Root() + "' mod");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm second");
    }

    std::unique_ptr<Revision> Open(const std::string& root, const std::string& rev,
                                   bool subFolders = true)
    {
        std::unique_ptr<Revision> revision;
        std::string error;
        EXPECT_EQ(Revision::Open(root, rev, subFolders, revision, error), GitStatus::Ok) << error;
        return revision;
    }

    TempFolder home;
    TempFolder lib;
    TempFolder repo;
};

}  // namespace

TEST_F(RevisionFiles, ListsEachCommitsFilesAndReadsTheirBytesThen)
{
    const auto v1 = Open(repo.Root(), "v1");
    ASSERT_TRUE(v1);
    EXPECT_EQ(Sorted(v1->Files()), (std::vector<std::string>{"a.c", "dangling.c", "dirlink.c",
                                                             "link.c", "old.c", "src/b.c"}));
    EXPECT_EQ(v1->Commit(), GitOutput(repo.Root(), "rev-parse v1").substr(0, 40));
    std::string bytes;
    std::string error;
    ASSERT_TRUE(v1->ReadFile("a.c", bytes, error)) << error;
    EXPECT_EQ(bytes, "int a;\n");
    ASSERT_TRUE(v1->ReadFile("link.c", bytes, error)) << error;  // the file it leads to
    EXPECT_EQ(bytes, "int b;\n// b\n");
    EXPECT_FALSE(v1->ReadFile("dirlink.c", bytes, error));
    EXPECT_FALSE(v1->ReadFile("dangling.c", bytes, error));
    EXPECT_FALSE(v1->ReadFile("missing.c", bytes, error));

    const auto head = Open(repo.Root(), "HEAD");
    ASSERT_TRUE(head);
    EXPECT_EQ(Sorted(head->Files()),
              (std::vector<std::string>{".gitmodules", "a.c", "dangling.c", "dirlink.c", "link.c",
                                        "mod/lib.c", "new.c", "src/moved.c"}));
    ASSERT_TRUE(head->ReadFile("a.c", bytes, error)) << error;
    EXPECT_EQ(bytes, "int a;\nint more;\n");
    ASSERT_TRUE(head->ReadFile("mod/lib.c", bytes, error)) << error;
    EXPECT_EQ(bytes, "int lib;\n");
    EXPECT_EQ(Open(repo.Root(), "HEAD~1")->Commit(), v1->Commit());
}

TEST_F(RevisionFiles, NamesFilesUnderAFolderOfTheWorkTreeAndInABareClone)
{
    EXPECT_EQ(Open(repo.Path("src"), "v1")->Files(), std::vector<std::string>{"b.c"});
    repo.Folder("later");  // a folder the revision does not have holds none of its files
    EXPECT_TRUE(Open(repo.Path("later"), "v1")->Files().empty());
    EXPECT_EQ(Sorted(Open(repo.Root(), "HEAD", false)->Files()),
              (std::vector<std::string>{".gitmodules", "a.c", "dangling.c", "dirlink.c", "link.c",
                                        "new.c"}));
    const TempFolder bare;
    Git(repo.Root(), "clone -q --bare . '" + bare.Path("b.git") + "'");
    EXPECT_EQ(Sorted(Open(bare.Path("b.git"), "v1")->Files()),
              Sorted(Open(repo.Root(), "v1")->Files()));
}

TEST_F(RevisionFiles, LeavesTheWorkTreeAndTheIndexAsTheyWere)
{
    LINTALLY_NEEDS_GIT_PROGRAM("status");
    repo.Write("a.c", "changed\n");
    const std::string status = GitOutput(repo.Root(), "status --porcelain");
    const std::string index = ReadAll(repo.Path(".git/index"));
    ASSERT_TRUE(Open(repo.Root(), "v1"));
    EXPECT_EQ(GitOutput(repo.Root(), "status --porcelain"), status);
    EXPECT_EQ(ReadAll(repo.Path(".git/index")), index);
    EXPECT_EQ(ReadAll(repo.Path("a.c")), "changed\n");
}

TEST_F(RevisionFiles, ASubmoduleWithoutItsCommitIsNamedAsMissing)
{
    LINTALLY_NEEDS_GIT_PROGRAM("update-index");
    // The revision records a commit the submodule's repository never had.
    Git(repo.Root(),
        "update-index --cacheinfo 160000,1234567890123456789012345678901234567890,mod");
    Git(repo.Root(), "commit -qm unknown");
    const auto head = Open(repo.Root(), "HEAD");
    ASSERT_TRUE(head);
    EXPECT_EQ(std::count(head->Files().begin(), head->Files().end(), "mod/lib.c"), 0);
    ASSERT_EQ(head->Missing().size(), 1u);
    EXPECT_EQ(head->Missing()[0].name, "mod");
}

TEST_F(RevisionFiles, BadRevisionsAndFoldersAreRefusedInOneLine)
{
    const TempFolder plain;
    lintally::testing::SetEnv("GIT_CEILING_DIRECTORIES", plain.Root());
    const struct
    {
        std::string root;
        std::string rev;
        GitStatus status;
    } cases[] = {
        {repo.Root(), "no-such-tag", GitStatus::Failed},
        {repo.Root(), "v1:a.c", GitStatus::Failed},  // a blob, not a commit
        {repo.Root(), "HEAD~9", GitStatus::Failed},
        {plain.Root(), "HEAD", GitStatus::NotAWorkTree},
    };
    for (const auto& c : cases) {
        std::unique_ptr<Revision> revision;
        std::string error;
        EXPECT_EQ(Revision::Open(c.root, c.rev, true, revision, error), c.status) << c.rev;
        EXPECT_FALSE(revision);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
    lintally::testing::UnsetEnv("GIT_CEILING_DIRECTORIES");
}

TEST_F(RevisionFiles, FilesAreAlikeWhereTheyHoldTheSameBytes)
{
    const auto v1 = Open(repo.Root(), "v1");
    const auto head = Open(repo.Root(), "HEAD");
    ASSERT_TRUE(v1 && head);
    const auto alike = [&](const std::string& old, const std::string& now) {
        const auto before = v1->IndexOf(old);
        const auto after = head->IndexOf(now);
        return before && after && v1->SameBytes(*before, *head, *after);
    };
    EXPECT_FALSE(alike("a.c", "a.c"));
    // Renamed, and a link whose file was renamed: the bytes stay.
    EXPECT_TRUE(alike("src/b.c", "src/moved.c"));
    EXPECT_TRUE(alike("link.c", "src/moved.c"));
    EXPECT_FALSE(v1->IndexOf("missing.c"));
    // Under the same name only the links kept their bytes.
    const std::vector<bool> same = head->SameFilesAs(*v1);
    ASSERT_EQ(same.size(), head->Files().size());
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < same.size(); ++i) {
        if (same[i]) {
            kept.push_back(head->Files()[i]);
        }
    }
    EXPECT_EQ(Sorted(kept), (std::vector<std::string>{"dangling.c", "dirlink.c", "link.c"}));
}
