// Runs the built lintally-cli as a child process and collects its exit status and both
// output streams, with the few twists the tests need (working folder, a file-size limit
// that makes writes fail even for root, a standard output whose reader is gone). One
// source file per platform: fork and exec, or CreateProcessA.
//
// Each call is self-contained; used from the test thread only.
#pragma once

#include <string>
#include <vector>

namespace lintally::testing {

struct CliRun
{
    std::vector<std::string> args;
    std::string workingFolder;   // empty: the test's own
    std::string inputPath = {};  // the file standard input reads; empty: an empty input
    long fileSizeLimit = -1;     // bytes; negative: no limit (POSIX only)
    long openFileLimit = -1;     // descriptors; negative: no limit (POSIX only)
    // Send SIGINT once standard error holds this text; empty: never (POSIX only).
    std::string interruptOnceErrShows = {};
    bool closedStdout = false;  // standard output is a pipe nobody reads
    // The folder the user's settings file is looked for in (XDG_CONFIG_HOME, APPDATA on
    // Windows); empty: one that does not exist, so no developer's own settings change a test.
    std::string configHome = {};
};

struct CliResult
{
    int status = -1;  // exit status, or 128 + signal number
    std::string out;
    std::string err;
};

CliResult RunCli(const CliRun& run);

// A usage or output error: one line on standard error that begins "lintally-cli: ".
inline bool IsOneErrorLine(const std::string& err)
{
    return err.rfind("lintally-cli: ", 0) == 0 && err.find('\n') == err.size() - 1;
}

}  // namespace lintally::testing
