// lintally-cli-docs FOLDER: writes lintally-cli's manual pages and shell completions into
// FOLDER, all made from the same definition of the command line the parser uses. Run by the
// build; not installed.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "cli/CommandLineDefinition.h"
#include "cli/ManPage.h"
#include "cli/ShellCompletions.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "lintally-cli-docs: cannot write " << path << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace lintally::cli;
    if (argc != 2) {
        std::cerr << "usage: lintally-cli-docs FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    CommandLine line;
    CommandLineExtras extras;
    const std::unique_ptr<CLI::App> app = DefineCommandLine(line, extras);
    const std::string version = ProgramVersion();
    const bool written = WriteFile(folder + "lintally-cli.1", CliManPage(*app, version)) &&
                         WriteFile(folder + "lintally.1", DialogManPage(version)) &&
                         WriteFile(folder + "lintally-cli.bash", BashCompletion(*app)) &&
                         WriteFile(folder + "_lintally-cli", ZshCompletion(*app)) &&
                         WriteFile(folder + "lintally-cli.fish", FishCompletion(*app));
    return written ? 0 : 1;
}
