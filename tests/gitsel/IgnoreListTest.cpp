// The ignore rules read as git reads them: one file's patterns line by line, and a whole
// work tree's rules compared with what git itself leaves out.
#include "gitsel/IgnoreList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "gitsel/IgnoreRules.h"
#include "tests/support/Environment.h"
#include "tests/support/GitCommand.h"
#include "tests/support/TempFolder.h"

using lintally::gitsel::GitStatus;
using lintally::gitsel::IgnoreList;
using lintally::gitsel::IgnoreRules;
using lintally::testing::Git;
using lintally::testing::GitOutput;
using lintally::testing::TempFolder;

TEST(IgnoreList, ReadsEachLineAsGitDoes)
{
    struct Case
    {
        const char* text;
        const char* path;
        bool folder;
        std::optional<bool> verdict;
    };
    const Case cases[] = {
        {"# note\n\n", "# note", false, std::nullopt},
        {"\\#hash\n", "#hash", false, true},
        {"\\!bang\n", "!bang", false, true},
        {"*.o\n!keep.o\n", "a/keep.o", false, false},
        {"*.o\n!keep.o\n", "a/b.o", false, true},
        {"!keep.o\n*.o\n", "keep.o", false, true},  // the last pattern that matches decides
        {"out/\n", "a/out", true, true},
        {"out/\n", "a/out", false, std::nullopt},  // folders only
        {"/top.c\n", "top.c", false, true},
        {"/top.c\n", "a/top.c", false, std::nullopt},  // anchored
        {"a/*.c\n", "a/x.c", false, true},
        {"a/*.c\n", "a/b/x.c", false, std::nullopt},  // '*' stays within a part
        {"a/*.c\n", "b/a/x.c", false, std::nullopt},  // a '/' inside anchors too
        {"*/x.c\n", "a/x.c", false, true},
        {"*/x.c\n", "a/b/x.c", false, std::nullopt},
        {"**/deep.c\n", "x/y/deep.c", false, true},
        {"a/**/z.c\n", "a/z.c", false, true},
        {"a/**\n", "a/b/c.c", false, true},
        {"a/x**y\n", "a/x/y", false, std::nullopt},  // "**" inside a part is one '*'
        {"a/x**y\n", "a/xaby", false, true},
        {"trail   \n", "trail", false, true},
        {"sp\\ \n", "sp ", false, true},
        {"crlf.c\r\n", "crlf.c", false, true},
        {"\xEF\xBB\xBF"
         "bom.c\n",
         "bom.c", false, true},
        {"[ab].c\n", "b.c", false, true},
        {"[ab.c\n", "[ab.c", false, std::nullopt},  // not a pattern: never matches
        {"?.c\n", "ab.c", false, std::nullopt},
        // Names, paths, suffixes and globs are looked up apart; the latest still decides.
        {"keep.o\n!*.o\n", "keep.o", false, false},
        {"!*.o\nkeep.o\n", "keep.o", false, true},
        {"x*.o\n!*.o\n", "xa.o", false, false},
        {"!*.o\nx*.o\n", "xa.o", false, true},
        {"a/b.c\n!b.c\n", "a/b.c", false, false},
        {"!b.c\n/a/b.c\n", "a/b.c", false, true},
        {"*.o\n*.tar.gz\n!x.tar.gz\n", "y.tar.gz", false, true},
        {"*.o\n*.tar.gz\n!x.tar.gz\n", "x.tar.gz", false, false},
        {"b.o\n!b.o/\n", "b.o", false, true},  // the later one is for folders only
        {"b.o\n!b.o/\n", "b.o", true, false},
        {"*.o\nb.o/\n", "b.o", false, true},
    };
    // Each list again behind patterns of every form that match none of the paths, so long
    // that the list is looked up in its tables.
    std::string filler;
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        filler += "zz" + n + "\n/zz/" + n + "\n*.zz" + n + "\nzz*" + n + "?\n";
    }
    for (const Case& c : cases) {
        std::string padded = c.text;
        padded.insert(padded.starts_with("\xEF\xBB\xBF") ? 3 : 0, filler);
        EXPECT_EQ(IgnoreList(c.text).Match(c.path, c.folder), c.verdict)
            << '"' << c.text << "\" " << c.path;
        EXPECT_EQ(IgnoreList(padded).Match(c.path, c.folder), c.verdict)
            << "long list: \"" << c.text << "\" " << c.path;
    }
}

namespace {

// The files a walk keeps under root: folders the rules leave out are not entered.
std::vector<std::string> KeptFiles(IgnoreRules& rules, const std::string& root)
{
    std::vector<std::string> kept;
    for (auto it = std::filesystem::recursive_directory_iterator(root);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        const std::string relative = std::filesystem::relative(it->path(), root).string();
        const bool folder = it->is_directory();
        if (rules.Ignores(relative, folder)) {
            if (folder) {
                it.disable_recursion_pending();
            }
        } else if (!folder) {
            kept.push_back(relative);
        }
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace

TEST(IgnoreRules, LeaveOutWhatGitLeavesOut)
{
    LINTALLY_NEEDS_GIT_PROGRAM("ls-files");
    const TempFolder home;
    const TempFolder repo;
    lintally::testing::SetEnv("HOME", home.Root());
    lintally::testing::UnsetEnv("XDG_CONFIG_HOME");
    home.Write(".config/git/ignore", "*.global\n");
    Git(repo.Root(), "init -q");
    repo.Write(".git/info/exclude", "*.excluded\n!keep.global\n");
    repo.Write(".gitignore",
               "*.o\n!keep.o\nbuild/\n/top.txt\ndocs/*.md\n!docs/keep.md\n**/gen/\n"
               "cache/*\n!cache/sub/\nlogs\nx**y.c\ntrail.c   \n");
    repo.Write("src/.gitignore", "!local.o\n*.tmp\n/anchored.c\n");
    repo.Write("src/deep/.gitignore", "!*.tmp\n");
    for (const char* file : {"a.c",
                             "a.o",
                             "keep.o",
                             "top.txt",
                             "src/top.txt",
                             "build/x.c",
                             "src/build/y.c",
                             "docs/a.md",
                             "docs/keep.md",
                             "docs/sub/b.md",
                             "x/gen/g.c",
                             "gen/h.c",
                             "cache/c.c",
                             "cache/sub/s.c",
                             "logs/l.c",
                             "src/logs",
                             "xaby.c",
                             "x/y.c",
                             "trail.c",
                             "src/local.o",
                             "src/t.tmp",
                             "src/deep/t.tmp",
                             "src/anchored.c",
                             "src/deep/anchored.c",
                             "b.excluded",
                             "c.global",
                             "keep.global",
                             "build.c"}) {
        repo.Write(file, "x\n");
    }
    std::unique_ptr<IgnoreRules> rules;
    std::string error;
    ASSERT_EQ(IgnoreRules::Open(repo.Root(), rules, error), GitStatus::Ok) << error;
    EXPECT_EQ(KeptFiles(*rules, repo.Root()),
              Lines(GitOutput(repo.Root(), "ls-files --others --exclude-standard")));
    // Asked about a file in an ignored folder without the folder first, as a list is.
    EXPECT_TRUE(rules->Ignores("build/x.c", false));
    EXPECT_FALSE(rules->Ignores("cache/sub/s.c", false));
    // A linked work tree's .git is a file.
    EXPECT_TRUE(rules->Ignores("sub/.git", false));
}
