// Repositories damaged as a disk or a careless copy leaves them: objects and packs cut short,
// an overwritten index, a name both a tag and a branch. Each is one line that says what is
// wrong, and nothing waits forever: the work runs in a child process that only a real hang
// keeps from ending within a minute.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "gitsel/PackIndex.h"
#include "gitsel/Revision.h"
#include "gitsel/TrackedFiles.h"
#include "tests/support/GitCommand.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::Revision;
using lintally::testing::Git;
using lintally::testing::GitOutput;
using lintally::testing::TempFolder;

namespace {

// True when work, run in a child process, returned true within a minute.
bool EndsWell(const std::function<bool()>& work)
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    for (int waited = 0; waited < 6000; ++waited) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    ADD_FAILURE() << "still running after a minute";
    return false;
}

void Truncate(const std::string& path, std::uintmax_t size)
{
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    std::filesystem::resize_file(path, size);
}

class DamagedRepository : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("HOME", home.Root().c_str(), 1);
        repo.Write("a.c", "int a;\n");
        repo.Write("src/b.c", std::string(5000, 'b') + "\n");
        Git(repo.Root(), "init -q");
        Git(repo.Root(), "add -A");
        Git(repo.Root(), "commit -qm first");
    }

    std::string Id(const std::string& rev)
    {
        return GitOutput(repo.Root(), "rev-parse " + rev).substr(0, 40);
    }
    std::string Loose(const std::string& id)
    {
        return repo.Path(".git/objects/" + id.substr(0, 2) + "/" + id.substr(2));
    }

    TempFolder home;
    TempFolder repo;
};

}  // namespace

TEST_F(DamagedRepository, ALooseTreeCutShortIsNamedAndTheRevisionRefused)
{
    // The top tree, then a folder's (the top one read again whole).
    for (const std::string tree : {"HEAD^{tree}", "HEAD:src"}) {
        const std::string id = Id(tree);
        const std::string saved = lintally::testing::ReadAll(Loose(id));
        Truncate(Loose(id), 20);
        EXPECT_TRUE(EndsWell([&] {
            std::unique_ptr<Revision> revision;
            std::string error;
            return Revision::Open(repo.Root(), "HEAD", true, revision, error) ==
                       GitStatus::Failed &&
                   error.find(id) != std::string::npos &&
                   error.find("cut short") != std::string::npos;
        })) << tree;
        repo.Write(Loose(id).substr(repo.Root().size() + 1), saved);
    }
}

TEST_F(DamagedRepository, ABlobCutShortIsAnUnreadFileNamingItsObject)
{
    // Cut in its header, in its data, and in the checksum after its data.
    for (const std::uintmax_t cut : {std::uintmax_t{2}, std::uintmax_t{20}, std::uintmax_t{0}}) {
        const std::string id = Id("HEAD:src/b.c");
        const std::uintmax_t size = cut != 0 ? cut : std::filesystem::file_size(Loose(id)) - 2;
        Truncate(Loose(id), size);
        EXPECT_TRUE(EndsWell([&] {
            std::unique_ptr<Revision> revision;
            std::string error;
            std::string bytes;
            if (Revision::Open(repo.Root(), "HEAD", true, revision, error) != GitStatus::Ok ||
                revision->ReadFile("src/b.c", bytes, error) ||
                !revision->ReadFile("a.c", bytes, error)) {
                return false;
            }
            const auto unread = revision->Unread();
            return unread.size() == 1 && unread[0].name == "src/b.c" &&
                   unread[0].reason.find(id) != std::string::npos;
        })) << size;
        std::filesystem::remove(Loose(id));
        Git(repo.Root(), "hash-object -w src/b.c");
    }
}

TEST_F(DamagedRepository, PackedBlobsAreReadWholeOrAsDeltasAndAPackCutShortIsNamed)
{
    repo.Write("src/b.c", std::string(5000, 'b') + "\nint more;\n");
    Git(repo.Root(), "commit -qam second");
    Git(repo.Root(), "gc -q --aggressive");
    std::unique_ptr<Revision> older;
    std::unique_ptr<Revision> newer;
    std::string error;
    std::string bytes;
    ASSERT_EQ(Revision::Open(repo.Root(), "HEAD~1", true, older, error), GitStatus::Ok) << error;
    ASSERT_EQ(Revision::Open(repo.Root(), "HEAD", true, newer, error), GitStatus::Ok) << error;
    // One of the two versions is stored as a delta of the other.
    ASSERT_TRUE(older->ReadFile("src/b.c", bytes, error)) << error;
    EXPECT_EQ(bytes, std::string(5000, 'b') + "\n");
    ASSERT_TRUE(newer->ReadFile("src/b.c", bytes, error)) << error;
    EXPECT_EQ(bytes, std::string(5000, 'b') + "\nint more;\n");
    older.reset();  // their packs are no longer mapped
    newer.reset();

    for (const auto& pack : std::filesystem::directory_iterator(repo.Path(".git/objects/pack"))) {
        if (pack.path().extension() == ".pack") {
            Truncate(pack.path(), 100);
        }
    }
    EXPECT_TRUE(EndsWell([&] {
        std::unique_ptr<Revision> revision;
        std::string said;
        return Revision::Open(repo.Root(), "HEAD", true, revision, said) == GitStatus::Failed &&
               said.find("pack") != std::string::npos && said.find("damaged") != std::string::npos;
    }));
}

TEST_F(DamagedRepository, OtherDamageAndDoubtIsSaidInOneLine)
{
    Git(repo.Root(), "tag twin");
    Git(repo.Root(), "branch twin");
    std::unique_ptr<Revision> revision;
    std::string error;
    EXPECT_EQ(Revision::Open(repo.Root(), "twin", true, revision, error), GitStatus::Failed);
    EXPECT_NE(error.find("ambiguous"), std::string::npos) << error;
    EXPECT_EQ(Revision::Open(repo.Root(), "refs/tags/twin", true, revision, error), GitStatus::Ok);
    EXPECT_FALSE(revision->Bare());
    const TempFolder bare;
    Git(repo.Root(), "clone -q --bare . '" + bare.Path("b.git") + "'");
    ASSERT_EQ(Revision::Open(bare.Path("b.git"), "HEAD", true, revision, error), GitStatus::Ok);
    EXPECT_TRUE(revision->Bare());

    repo.Write(".git/index", "DIRCgarbage");
    std::vector<std::string> names;
    EXPECT_EQ(lintally::gitsel::ListTrackedFiles(repo.Root(), names, error), GitStatus::Failed);
    EXPECT_NE(error.find("index is damaged"), std::string::npos) << error;
}

TEST_F(DamagedRepository, ThePackIndexFindsEveryObjectWhereGitSaysItIs)
{
    Git(repo.Root(), "gc -q");
    std::filesystem::path index;
    for (const auto& entry : std::filesystem::directory_iterator(repo.Path(".git/objects/pack"))) {
        if (entry.path().extension() == ".idx") {
            index = entry.path();
        }
    }
    const lintally::gitsel::PackIndex packs(repo.Path(".git/objects"));
    // show-index lists "OFFSET ID (CRC)" per object.
    std::istringstream listed(GitOutput(repo.Root(), "show-index < '" + index.string() + "'"));
    std::uint64_t offset = 0;
    std::string id;
    std::string crc;
    int objects = 0;
    while (listed >> offset >> id >> crc) {
        unsigned char raw[lintally::gitsel::kObjectIdBytes];
        for (std::size_t i = 0; i < sizeof raw; ++i) {
            raw[i] = static_cast<unsigned char>(std::stoi(id.substr(2 * i, 2), nullptr, 16));
        }
        const auto found = packs.Find(raw);
        ASSERT_TRUE(found) << id;
        EXPECT_EQ(found->offset, offset) << id;
        ++objects;
    }
    EXPECT_EQ(objects, 5);  // the commit, two trees, two blobs
}
