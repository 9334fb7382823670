// The command line's parse, in-process: every default, every conflict and the text of every
// usage error, without starting a program.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/TempFolder.h"

using lintally::cli::Command;
using lintally::cli::CommandLine;
using lintally::cli::DefaultJobs;
using lintally::cli::OutputFormat;
using lintally::cli::ParseCommandLine;
using lintally::cli::ProgressMode;
using lintally::results::GroupingName;
using lintally::scan::LanguageTable;

namespace {

struct Parsed
{
    bool run = false;
    int exitCode = 0;
    std::string out;
    std::string err;
    CommandLine line;
};

Parsed Parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "lintally-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed;
    const auto outcome =
        ParseCommandLine(static_cast<int>(argv.size()), argv.data(), parsed.line, out, err);
    parsed.run = outcome.run;
    parsed.exitCode = outcome.exitCode;
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

}  // namespace

TEST(CommandLine, ACountWithoutOptionsHasTheDialogsDefaults)
{
    const Parsed parsed = Parse({});
    ASSERT_TRUE(parsed.run) << parsed.err;
    const auto& count = parsed.line.count;
    EXPECT_EQ(parsed.line.command, Command::Count);
    EXPECT_EQ(count.roots, std::vector<std::string>{"."});
    EXPECT_EQ(count.settings, lintally::scan::CountSettings());
    EXPECT_EQ(count.format, OutputFormat::Table);
    EXPECT_EQ(GroupingName(count.by), "language");
    EXPECT_EQ(count.jobs, DefaultJobs());
    EXPECT_EQ(count.progress, ProgressMode::Auto);
    EXPECT_EQ(count.top, 0u);
}

TEST(CommandLine, OptionsSetWhatTheyName)
{
    const struct
    {
        std::vector<std::string> args;
        std::string by;  // the grouping the parse settles on
        std::string types;
    } cases[] = {
        {{"-f", "json"}, "file", lintally::scan::CountSettings().types},
        {{"-f", "csv", "--by", "dir:3"}, "dir:3", lintally::scan::CountSettings().types},
        {{"--languages", "wide"}, "language", ""},  // every file the wide table knows
        {{"--languages", "wide", "-t", "*.go"}, "language", "*.go"},
        {{"-f", "report", "-t", "*.c"}, "language", "*.c"},
    };
    for (const auto& each : cases) {
        const Parsed parsed = Parse(each.args);
        ASSERT_TRUE(parsed.run) << parsed.err;
        EXPECT_EQ(GroupingName(parsed.line.count.by), each.by) << each.args[0];
        EXPECT_EQ(parsed.line.count.settings.types, each.types) << each.args[0];
    }
    const Parsed flags = Parse({"--no-sub", "--exclude-remed", "--exclude-blank",
                                "--block-comments", "-j", "3", "--no-progress"});
    ASSERT_TRUE(flags.run) << flags.err;
    const auto& settings = flags.line.count.settings;
    EXPECT_FALSE(settings.includeSubFolders);
    EXPECT_FALSE(settings.includeRemed);
    EXPECT_TRUE(settings.excludeBlank);
    EXPECT_TRUE(settings.blockComments);
    EXPECT_EQ(flags.line.count.jobs, 3u);
    EXPECT_EQ(flags.line.count.progress, ProgressMode::Off);
}

TEST(CommandLine, DiffTakesItsOwnOptionsAndTheGlobalOnesOnEitherSide)
{
    const Parsed before =
        Parse({"-j", "7", "--no-progress", "diff", "--languages", "wide", "a", "b"});
    ASSERT_TRUE(before.run) << before.err;
    const auto& diff = before.line.diff;
    EXPECT_EQ(before.line.command, Command::Diff);
    EXPECT_EQ(diff.count.jobs, 7u);  // not the default of one per core
    EXPECT_EQ(diff.count.progress, ProgressMode::Off);
    EXPECT_EQ(diff.count.settings.languages, LanguageTable::Wide);
    EXPECT_EQ(diff.before.path, "a");
    EXPECT_EQ(diff.after.path, "b");

    const Parsed after = Parse({"-j", "7", "diff", "-j", "5", "-f", "csv", "a", "--", "-b"});
    ASSERT_TRUE(after.run) << after.err;
    EXPECT_EQ(after.line.diff.count.jobs, 5u);  // the later one counts
    EXPECT_EQ(after.line.diff.after.path, "-b");
    EXPECT_TRUE(after.line.diff.by.perFile);

    const Parsed revisions = Parse({"diff", "--old-rev", "v1"});
    ASSERT_TRUE(revisions.run) << revisions.err;
    EXPECT_EQ(revisions.line.diff.before.path, ".");
    EXPECT_EQ(revisions.line.diff.before.option, "--old-rev");
    EXPECT_EQ(revisions.line.diff.after.rev, "");
}

TEST(CommandLine, UsageErrorsAreOneLineWithStatusTwo)
{
    const lintally::testing::TempFolder tree;
    const std::string file = tree.Write("plain.txt", "x\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "unknown option --frobnicate (use -- before a folder"},
        {{"diff", "--rev", "v1"}, "unknown option --rev"},
        {{tree.Path("missing")}, "Directory does not exist"},
        {{file}, "Directory is actually a file"},
        {{"-j", "0"}, "-j"},
        {{"-f", "xml"}, "xml not in"},
        {{"diff", "-f", "report", "a", "b"}, "report not in"},
        {{"--by", "dir:0"}, "dir:N needs a depth N from 1 to 1000"},
        {{"--by", "size"}, "takes language, ext, dir, dir:N or file, not size"},
        {{"--top", "0"}, "--top"},
        {{"--languages", "narrow"}, "narrow not in"},
        {{"-f", "report", ".", "."}, "-f report lists the files of one ROOT and takes no --by"},
        {{"-f", "report", "--by", "file"}, "-f report lists the files of one ROOT"},
        {{"--progress", "--no-progress"}, "excludes --no-progress"},
        {{"--files-from", "list", "."}, "--files-from names the files itself and takes no ROOT"},
        {{"--files-from", "list", "--git"}, "--files-from and --git each choose the files"},
        {{"-0"}, "-0 only goes with --files-from"},
        {{"--rev", "v1", "--gitignore"}, "--rev counts the files of a revision"},
        {{"--rev", ""}, "takes the name of a revision, not an empty text"},
        {{"--max-size", "5Q"}, "--max-size takes a size such as 500K or 5M, not 5Q"},
        {{"-t", "*.c", "diff", "a", "b"}, "--types goes after diff"},
        {{".", "diff", "a", "b"}, "diff takes no folder before it"},
        {{"diff", "a", "b", "--", tree.Root()}, "and only OLD and NEW after it"},
        {{"diff", "a"}, "diff needs OLD and NEW (or --old-rev and --new-rev)"},
        {{"diff", "a", "b", "c"}, "diff needs OLD and NEW"},
        {{"diff", "--old-rev", "v1", "a", "b"}, "with --old-rev or --new-rev, diff takes one ROOT"},
    };
    for (const auto& [args, message] : cases) {
        const Parsed parsed = Parse(args);
        const std::string shown = ::testing::PrintToString(args);
        EXPECT_FALSE(parsed.run) << shown;
        EXPECT_EQ(parsed.exitCode, 2) << shown;
        EXPECT_EQ(parsed.err.rfind("lintally-cli: ", 0), 0u) << shown << ": " << parsed.err;
        EXPECT_EQ(parsed.err.find('\n'), parsed.err.size() - 1) << shown << ": " << parsed.err;
        EXPECT_NE(parsed.err.find(message), std::string::npos) << shown << ": " << parsed.err;
    }
}

TEST(CommandLine, EachCommandHasItsOwnHelp)
{
    const Parsed count = Parse({"--help"});
    EXPECT_FALSE(count.run);
    EXPECT_EQ(count.exitCode, 0);
    EXPECT_NE(count.out.find("--block-comments"), std::string::npos);
    EXPECT_NE(count.out.find("diff"), std::string::npos);
    const Parsed diff = Parse({"--no-progress", "diff", "--help"});
    EXPECT_EQ(diff.exitCode, 0);
    EXPECT_NE(diff.out.find("Usage: lintally-cli diff"), std::string::npos);
    EXPECT_NE(diff.out.find("--fail-if-grows"), std::string::npos);
    EXPECT_EQ(diff.out.find("--files-from"), std::string::npos);
}
