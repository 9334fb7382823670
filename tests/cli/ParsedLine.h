// The command line parsed in-process, with what the parse wrote: for the tests of the
// parse, its defaults and the settings files.
//
// Each call is self-contained; used from the test thread only.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace lintally::testing {

struct Parsed
{
    bool run = false;
    int exitCode = 0;
    std::string out;
    std::string err;
    cli::CommandLine line;
};

// args (without the program's name) parsed, reading the settings files at config when given.
inline Parsed Parse(std::vector<std::string> args, const cli::ConfigPlaces* config = nullptr)
{
    args.insert(args.begin(), "lintally-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    Parsed parsed;
    const auto outcome = cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data(),
                                               parsed.line, out, err, 80, config);
    parsed.run = outcome.run;
    parsed.exitCode = outcome.exitCode;
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

}  // namespace lintally::testing
