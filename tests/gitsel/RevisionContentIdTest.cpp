// A revision file's content id: equal for the same bytes in two revisions, git's own blob id.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "gitsel/Revision.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::Revision;
using lintally::testing::TempFolder;

namespace {

std::string Git(const std::string& folder, const std::string& args)
{
    const std::string command =
        "git -C '" + folder + "' -c user.name=t -c user.email=t@t " + args + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
            out.append(buffer, got);
        }
        EXPECT_EQ(pclose(pipe), 0) << command;
    }
    return out;
}

}  // namespace

TEST(RevisionContentId, SameBytesSameIdAndGitsBlobId)
{
    const TempFolder home;
    setenv("HOME", home.Root().c_str(), 1);
    const TempFolder repo;
    repo.Write("kept.c", "int k;\n");
    repo.Write("edited.c", "int e;\n");
    Git(repo.Root(), "init -q");
    Git(repo.Root(), "add -A");
    Git(repo.Root(), "commit -qm first");
    Git(repo.Root(), "tag v1");
    repo.Write("edited.c", "int f;\n");
    Git(repo.Root(), "commit -qam second");

    std::unique_ptr<Revision> v1;
    std::unique_ptr<Revision> head;
    std::string error;
    ASSERT_EQ(Revision::Open(repo.Root(), "v1", true, v1, error), GitStatus::Ok) << error;
    ASSERT_EQ(Revision::Open(repo.Root(), "HEAD", true, head, error), GitStatus::Ok) << error;
    EXPECT_EQ(v1->ContentId("kept.c"), head->ContentId("kept.c"));
    EXPECT_NE(v1->ContentId("edited.c"), head->ContentId("edited.c"));
    EXPECT_EQ(v1->ContentId("edited.c") + "\n", Git(repo.Root(), "rev-parse v1:edited.c"));
    EXPECT_EQ(v1->ContentId("missing.c"), "");
}
