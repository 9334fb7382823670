#include <gtest/gtest.h>
#include <CLI/CLI.hpp>

#include "cli/CommandLineDefinition.h"
#include "cli/ManPage.h"
#include "cli/OptionValues.h"
#include "cli/ShellCompletions.h"

namespace lintally::cli {
namespace {

// The parser's own definition, as the man page and completions are made from it.
struct Definition
{
    CommandLine line;
    CommandLineExtras extras;
    std::unique_ptr<CLI::App> app = DefineCommandLine(line, extras);
};

TEST(ManPage, NamesEveryOptionOfEveryCommandInBold)
{
    Definition definition;
    const std::string page = CliManPage(*definition.app, ProgramVersion());
    std::size_t options = 0;
    for (const NamedCommand& command : CompletedCommands(*definition.app)) {
        if (!command.name.empty()) {
            EXPECT_NE(page.find(".SH " + std::string(command.name == "diff" ? "DIFF" : "HISTORY")),
                      std::string::npos);
        }
        for (const CLI::Option* option : NamedOptions(*command.app)) {
            for (const std::string& name : OptionNames(*option)) {
                ++options;
                EXPECT_NE(page.find("\\fB" + RoffText(name) + "\\fR"), std::string::npos)
                    << command.name << ' ' << name;
            }
        }
    }
    EXPECT_GT(options, 90u);
    EXPECT_NE(page.find(".SH COUNT"), std::string::npos);
    EXPECT_NE(page.find("\\fB\\-f\\fR, \\fB\\-\\-format\\fR \\fIFORMAT\\fR"), std::string::npos);
}

TEST(ManPage, RoffTextKeepsBackslashesMinusesAndLineStartsLiteral)
{
    EXPECT_EQ(RoffText("a\\b --x\n.TH 'q"), "a\\eb \\-\\-x\n\\&.TH 'q");
    EXPECT_EQ(RoffText("'x"), "\\&'x");
}

TEST(ManPage, DialogPagePointsToTheCommandLine)
{
    const std::string page = DialogManPage("lintally-cli 1.0.0");
    EXPECT_EQ(page.rfind(".TH LINTALLY 1 ", 0), 0u);
    EXPECT_NE(page.find(".BR lintally\\-cli (1)"), std::string::npos);
}

TEST(OptionValues, WordsComeFromTheChecksOfTheDefinition)
{
    Definition definition;
    const CLI::App& app = *definition.app;
    const auto words = [&app](const CLI::App& command, const char* name) {
        const CLI::Option* option = command.get_option_no_throw(name);
        return option == nullptr ? std::vector<std::string>() : ValueWords(*option);
    };
    EXPECT_EQ(words(app, "-f"),
              (std::vector<std::string>{"table", "report", "json", "csv", "html", "markdown",
                                        "yaml", "xml", "sql", "openmetrics"}));
    EXPECT_EQ(words(*definition.extras.diffCommand, "--format"),
              (std::vector<std::string>{"table", "json", "csv", "html", "markdown"}));
    EXPECT_EQ(words(app, "--by"),
              (std::vector<std::string>{"language", "ext", "dir", "dir:2", "dir:3", "file"}));
    EXPECT_EQ(words(*definition.extras.historyCommand, "--by"),
              (std::vector<std::string>{"language", "ext", "dir", "dir:2", "dir:3"}));
    EXPECT_EQ(words(app, "--languages"), (std::vector<std::string>{"wide", "design"}));
    EXPECT_EQ(KindOfValue(*app.get_option_no_throw("--rev")), ValueKind::Revision);
    EXPECT_EQ(KindOfValue(*definition.extras.diffCommand->get_option_no_throw("--old-rev")),
              ValueKind::Revision);
    EXPECT_EQ(KindOfValue(*app.get_option_no_throw("-o")), ValueKind::File);
    EXPECT_EQ(KindOfValue(*app.get_option_no_throw("--top")), ValueKind::Other);
    EXPECT_EQ(KindOfValue(*app.get_option_no_throw("--no-sub")), ValueKind::None);
}

// word appears in a bash word list: between spaces or the list's quotes.
bool InWordList(const std::string& script, const std::string& word)
{
    for (const char* before : {" ", "\""}) {
        for (const char* after : {" ", "\""}) {
            if (script.find(before + word + after) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

TEST(ShellCompletions, EveryScriptOffersEveryOptionOfEveryCommand)
{
    Definition definition;
    const std::string bash = BashCompletion(*definition.app);
    const std::string zsh = ZshCompletion(*definition.app);
    const std::string fish = FishCompletion(*definition.app);
    for (const NamedCommand& command : CompletedCommands(*definition.app)) {
        for (const CLI::Option* option : NamedOptions(*command.app)) {
            for (const std::string& name : OptionNames(*option)) {
                EXPECT_TRUE(InWordList(bash, name)) << name;
                EXPECT_NE(zsh.find("'" + name + "["), std::string::npos) << name;
                const std::string fishName =
                    name[1] == '-' ? " -l " + name.substr(2) : " -s " + name.substr(1);
                EXPECT_NE(fish.find(fishName), std::string::npos) << name;
            }
        }
    }
    EXPECT_EQ(zsh.rfind("#compdef lintally-cli\n", 0), 0u);
    EXPECT_NE(
        fish.find("-l format -x -a 'table report json csv html markdown yaml xml sql openmetrics'"),
        std::string::npos);
}

}  // namespace
}  // namespace lintally::cli
