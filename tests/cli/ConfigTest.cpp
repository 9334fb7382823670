// The settings files: where they are found, which setting wins, and each fault as one line
// naming the file and line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ConfigFiles.h"
#include "tests/cli/CliRunner.h"
#include "tests/cli/ParsedLine.h"
#include "tests/support/TempFolder.h"

using lintally::cli::ConfigPlaces;
using lintally::cli::FindProjectConfig;
using lintally::testing::TempFolder;

using lintally::testing::Parsed;

namespace {

// A parse of args (ROOT included) with the user's file at user, the project's looked for.
Parsed ParseWith(const std::string& user, const std::vector<std::string>& args)
{
    const ConfigPlaces places{user, true};
    return lintally::testing::Parse(args, &places);
}

}  // namespace

TEST(FindProjectConfig, LooksUpwardFromRootAndStopsAtTheTopOfAWorkTree)
{
    TempFolder tree;
    tree.Write(".lintally.toml", "");  // above the work tree: never read from inside it
    tree.Write("repo/.git/HEAD", "");
    tree.Write("repo/a/b/main.c", "");
    EXPECT_EQ(FindProjectConfig(tree.Path("repo/a/b")), "");
    const std::string project = tree.Write("repo/.lintally.toml", "");
    EXPECT_EQ(FindProjectConfig(tree.Path("repo/a/b")), project);
    EXPECT_EQ(FindProjectConfig(tree.Path("repo/a/b/main.c")), project);
    const std::string nearer = tree.Write("repo/a/.lintally.toml", "");
    EXPECT_EQ(FindProjectConfig(tree.Path("repo/a/b")), nearer);
    EXPECT_EQ(FindProjectConfig(tree.Path("repo")), project);
}

TEST(ConfigFiles, TheUserFileThenTheProjectsThenTheCommandLineWinAndExcludesAdd)
{
    TempFolder tree;
    tree.Write("repo/.git/HEAD", "");
    const std::string root = tree.Folder("repo/src");
    const std::string user = tree.Write("user.toml",
                                        "by = 'dir'\n"
                                        "unique = true\n"
                                        "no-block-comments = true\n"
                                        "exclude = ['u']\n"
                                        "types = ['*.c', '*.h']\n");
    tree.Write("repo/.lintally.toml", "by = \"file\"\nunique = false\nexclude = [\"p\"]\n");

    Parsed parsed = ParseWith(user, {root});
    ASSERT_TRUE(parsed.run) << parsed.err;
    const auto& count = parsed.line.count;
    EXPECT_TRUE(count.by.perFile);
    EXPECT_FALSE(count.select.unique);
    EXPECT_FALSE(count.settings.blockComments);
    EXPECT_EQ(count.settings.types, "*.c,*.h");
    EXPECT_EQ(count.select.excludes, (std::vector<std::string>{"u", "p"}));

    parsed = ParseWith(user, {"--by", "ext", "--block-comments", "--exclude", "c", root});
    ASSERT_TRUE(parsed.run) << parsed.err;
    EXPECT_FALSE(parsed.line.count.by.perFile);
    EXPECT_TRUE(parsed.line.count.settings.blockComments);
    EXPECT_EQ(parsed.line.count.select.excludes, (std::vector<std::string>{"u", "p", "c"}));

    // --no-config and the dialog's report read neither file, even a broken one.
    tree.Write("repo/.lintally.toml", "by = \n");
    for (const auto& args : {std::vector<std::string>{"--no-config", root},
                             std::vector<std::string>{"-f", "report", root}}) {
        parsed = ParseWith(user, args);
        ASSERT_TRUE(parsed.run) << parsed.err;
        EXPECT_TRUE(parsed.line.count.select.excludes.empty());
    }
    EXPECT_EQ(ParseWith(user, {root}).exitCode, 2);
}

TEST(ConfigFiles, AFaultIsOneLineNamingTheFileAndLine)
{
    TempFolder tree;
    tree.Write(".git/HEAD", "");
    struct Case
    {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"by = 'dir'\nexcluse = ['x']\n", ":2: unknown setting excluse; did you mean exclude?"},
        {"\n\nby = 'nonsense'\n",
         ":3: --by: takes language, ext, dir, dir:N or file, not nonsense"},
        {"unique = 'yes'\n", ":1: unique takes true or false"},
        {"by = true\n", ":1: by takes a value, not true or false"},
        {"help = true\n", ":1: unknown setting help"},
        {"[diff]\nby = 'dir'\n",
         ":2: [diff]: a settings file has no sections; its settings are "
         "the count's"},
        {"by = 'dir\n", ":1: the string is not closed on its line"},
        {std::string(lintally::cli::kMaxConfigBytes + 1, '#'),
         ": larger than 256 KiB; not a settings file"},
    };
    for (const Case& c : cases) {
        const std::string path = tree.Write(".lintally.toml", c.text);
        const Parsed parsed = ParseWith("", {tree.Root()});
        EXPECT_EQ(parsed.exitCode, 2);
        EXPECT_EQ(parsed.err, "lintally-cli: " + path + c.error + "\n");
    }
}

TEST(ConfigFiles, TheProgramReadsTheUsersFileAndTheProjects)
{
    TempFolder tree;
    tree.Write("repo/.git/HEAD", "");
    tree.Write("repo/a.c", "int a;\n");
    tree.Write("repo/b.py", "b = 1\n");
    tree.Write("repo/.lintally.toml", "exclude = ['*.py']\n");
    tree.Write("home/lintally/config.toml", "by = 'file'\n");
    lintally::testing::CliRun run{{tree.Path("repo")}, ""};
    run.configHome = tree.Path("home");
    const lintally::testing::CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Total (2 files)"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("b.py"), std::string::npos) << result.out;
}
