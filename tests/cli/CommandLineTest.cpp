// The command line's parse, in-process: every default, every conflict and the text of every
// usage error, without starting a program.
#include "cli/CommandLine.h"
#include "cli/HelpText.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli/ParsedLine.h"
#include "tests/support/TempFolder.h"

using lintally::cli::Command;
using lintally::cli::CommandLine;
using lintally::cli::DefaultJobs;
using lintally::cli::OutputFormat;
using lintally::cli::ParseCommandLine;
using lintally::cli::ProgressMode;
using lintally::results::GroupingName;
using lintally::scan::LanguageTable;

using lintally::testing::Parse;
using lintally::testing::Parsed;

TEST(CommandLine, ACountWithoutOptionsTakesEveryKnownLanguageAndLeavesOutWhatPeopleExpect)
{
    const Parsed parsed = Parse({});
    ASSERT_TRUE(parsed.run) << parsed.err;
    const auto& count = parsed.line.count;
    EXPECT_EQ(parsed.line.command, Command::Count);
    EXPECT_EQ(count.roots, std::vector<std::string>{"."});
    lintally::scan::CountSettings wide;
    wide.types.clear();
    wide.blockComments = true;
    wide.languages = LanguageTable::Wide;
    EXPECT_EQ(count.settings, wide);
    EXPECT_TRUE(count.select.skipBinary && count.select.ignoreByDefault && count.select.linksOnce);
    EXPECT_EQ(count.format, OutputFormat::Table);
    EXPECT_EQ(GroupingName(count.by), "language");
    EXPECT_EQ(count.jobs, DefaultJobs());
    EXPECT_EQ(count.progress, ProgressMode::Auto);
    EXPECT_EQ(count.top, 0u);

    // The dialog's numbers: its settings, nothing left out.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--languages", "design"}, {"-f", "report"}}) {
        const Parsed design = Parse(args);
        ASSERT_TRUE(design.run) << design.err;
        EXPECT_EQ(design.line.count.settings, lintally::scan::CountSettings()) << args[0];
        const auto& select = design.line.count.select;
        EXPECT_FALSE(select.skipBinary || select.ignoreByDefault || select.linksOnce) << args[0];
    }
    // Files named or listed rather than walked are not asked of the ignore rules.
    EXPECT_FALSE(Parse({"--files-from", "list"}).line.count.select.ignoreByDefault);
    EXPECT_FALSE(Parse({"--no-ignore"}).line.count.select.ignoreByDefault);
    EXPECT_FALSE(Parse({"--no-block-comments"}).line.count.settings.blockComments);
}

TEST(CommandLine, OptionsSetWhatTheyName)
{
    const struct
    {
        std::vector<std::string> args;
        std::string by;  // the grouping the parse settles on
        std::string types;
    } cases[] = {
        {{"-f", "json"}, "file", ""},  // every file the wide table knows
        {{"-f", "csv", "--by", "dir:3"}, "dir:3", ""},
        {{"--languages", "design"}, "language", lintally::scan::CountSettings().types},
        {{"-t", "*.go"}, "language", "*.go"},
        {{"-f", "report", "-t", "*.c"}, "language", "*.c"},
        {{"-f", "yaml"}, "file", ""},
        {{"-f", "xml"}, "file", ""},
        {{"-f", "sql", "--by", "ext"}, "ext", ""},
        {{"-f", "openmetrics"}, "language", ""},
    };
    for (const auto& each : cases) {
        const Parsed parsed = Parse(each.args);
        ASSERT_TRUE(parsed.run) << parsed.err;
        EXPECT_EQ(GroupingName(parsed.line.count.by), each.by) << each.args[0];
        EXPECT_EQ(parsed.line.count.settings.types, each.types) << each.args[0];
    }
    const Parsed flags = Parse({"--no-sub", "--exclude-remed", "--exclude-blank", "--languages",
                                "design", "--block-comments", "-j", "3", "--no-progress"});
    ASSERT_TRUE(flags.run) << flags.err;
    const auto& settings = flags.line.count.settings;
    EXPECT_FALSE(settings.includeSubFolders);
    EXPECT_FALSE(settings.includeRemed);
    EXPECT_TRUE(settings.excludeBlank);
    EXPECT_TRUE(settings.blockComments);
    EXPECT_EQ(flags.line.count.jobs, 3u);
    EXPECT_EQ(flags.line.count.progress, ProgressMode::Off);
    EXPECT_FALSE(flags.line.count.cost.Wanted());
    const Parsed cost = Parse({"--cost", "--salary", "60000", "--overhead", "1.75"});
    ASSERT_TRUE(cost.run) << cost.err;
    ASSERT_TRUE(cost.line.count.cost.Wanted());
    EXPECT_EQ(cost.line.count.cost.inputs.salary, 60000u);
    EXPECT_EQ(cost.line.count.cost.inputs.overhead, 1.75);
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
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--frobnicate"}, "unknown option --frobnicate (use -- before a folder"},
        {{"--typs", "*.c"}, "unknown option --typs; did you mean --types?"},
        {{"diff", "--tpo", "3"}, "unknown option --tpo; did you mean --top?"},
        {{"diff", "--rev", "v1"}, "unknown option --rev"},
        {{tree.Path("missing")}, "ROOT: no folder or file "},
        {{"-j", "0"}, "--jobs: takes a whole number from 1 to 1024, not 0"},
        {{"-f", "toml"},
         "--format: takes table, report, json, csv, html, markdown, yaml, xml, sql "
         "or openmetrics, not toml"},
        {{"-f", "xml", "--by", "language"}, "-f xml lists every file and sums them by language"},
        {{"merge", "-f", "xml", "--by", "dir", tree.Write("a.json", "{}")},
         "-f xml lists every file"},
        {{"diff", "-f", "sql", "a", "b"}, "takes table, json, csv, html or markdown, not sql"},
        {{"--cost", "-f", "csv"}, "--cost is shown with -f table, markdown, json or yaml"},
        {{"--salary", "50000"}, "--salary and --overhead go with --cost"},
        {{"--embedded", "-f", "sql"}, "--embedded is not written by -f xml, sql or openmetrics"},
        {{"--cost", "--salary", "0"}, "--salary: takes a whole number from 1 to 1000000000"},
        {{"--cost", "--overhead", "-1"}, "--overhead: takes a number from 0 to 100, not -1"},
        {{"--cost", "--overhead", "1e2"}, "--overhead: takes a number from 0 to 100, not 1e2"},
        {{"--cost", "--overhead", "2."}, "--overhead: takes a number from 0 to 100, not 2."},
        {{"--cost", "--overhead", "100.5"}, "--overhead: takes a number from 0 to 100"},
        {{"diff", "-f", "report", "a", "b"},
         "takes table, json, csv, html or markdown, not report"},
        {{"--by", "dir:0"}, "dir:N needs a depth N from 1 to 1000"},
        {{"--by", "size"}, "takes language, ext, dir, dir:N or file, not size"},
        {{"--top", "0"}, "--top: takes a whole number from 1 up, not 0"},
        {{"--top", "-1"}, "--top: takes a whole number from 1 up, not -1"},
        {{"--top", "1", "--top", "2"}, "--top is given more than once"},
        {{"--top"}, "--top needs a value"},
        {{"--no-sub=no"}, "--no-sub takes no value"},
        {{"diff", "--fail-if-grows", "-5", "a", "b"}, "takes a whole number from 0 up, not -5"},
        {{"-t", ""}, "--types: the file type list is empty"},
        {{"-t", "go"}, "--types: go is not a file type; types look like *.c"},
        {{"-t", "*.c,go"}, "go is not a file type"},
        {{"--languages", "narrow"}, "--languages: takes wide or design, not narrow"},
        {{"--block-comments", "--no-block-comments"}, "contradict each other"},
        {{"--gitignore", "--no-ignore"}, "--gitignore and --no-ignore contradict each other"},
        {{"-f", "report", ".", "."}, "-f report lists the files of one ROOT and takes no --by"},
        {{"-f", "report", "--by", "file"}, "-f report lists the files of one ROOT"},
        {{"--progress", "--no-progress"}, "--progress and --no-progress contradict each other"},
        {{"--files-from", "list", "."}, "--files-from names the files itself and takes no ROOT"},
        {{"--files-from", "list", "--git"}, "--files-from and --git each choose the files"},
        {{"-0"}, "-0 only goes with --files-from"},
        {{"--rev", "v1", "--gitignore"}, "--rev counts the files of a revision"},
        {{"--rev", ""}, "takes the name of a revision, not an empty text"},
        {{"--max-size", "5Q"}, "--max-size: takes a size such as 500K or 5M, not 5Q"},
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

TEST(HelpText, LongLinesWrapAtSpacesUnderTheirDescription)
{
    const struct
    {
        std::string text;
        std::size_t width;
        std::string wrapped;
    } cases[] = {
        {"short\n\n", 20, "short\n\n"},
        {"  -x,--xx N    alpha beta gamma delta epsilon zeta\n", 40,
         "  -x,--xx N    alpha beta gamma delta\n               epsilon zeta\n"},
        {"plain words that wrap here\n", 12, "plain words\nthat wrap\nhere\n"},
        {"averyveryverylongword next\n", 10, "averyveryverylongword\nnext\n"},
        {"no newline at the end", 80, "no newline at the end"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lintally::cli::WrapHelp(c.text, c.width), c.wrapped) << c.text;
    }
    EXPECT_EQ(lintally::cli::HelpWidth(0), 80u);
    EXPECT_EQ(lintally::cli::HelpWidth(12), 40u);
    EXPECT_EQ(lintally::cli::HelpWidth(132), 132u);

    const Parsed help = Parse({"--help"});
    std::istringstream lines(help.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
    EXPECT_EQ(help.out.find("Excludes"), std::string::npos);
}
