// The command line of lintally-cli: what it accepts, its defaults (the dialog's start-up
// state, so both front ends count a tree alike), and the parse.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <iosfwd>
#include <string>

namespace lintally::cli {

// The dialog's first file-type preset.
inline constexpr const char* kDefaultTypes =
    "*.c,*.cc,*.c++,*.cpp,*.h,*.hh,*.h++,*.hpp,*.cxx,*.hxx,*.inc,*.inl,*.asm,*.pas,*.frm,"
    "*.bas,*.php,*.php3,*.php4,*.asp,*.aspx,*.jsp,*.pl,*.cs,*.java";

inline constexpr const char* kProgramName = "lintally-cli";

enum class OutputFormat
{
    Report,
    Json,
    Csv,
};

enum class ProgressMode
{
    Auto,  // only when standard error is a terminal
    On,
    Off,
};

struct CliOptions
{
    std::string root;
    std::string types = kDefaultTypes;
    bool includeSubFolders = true;
    bool includeRemed = true;
    bool excludeBlank = false;
    bool trackBlocks = false;
    OutputFormat format = OutputFormat::Report;
    std::string outputPath;  // empty: standard output
    unsigned jobs = 1;
    ProgressMode progress = ProgressMode::Auto;
};

// What the parse decided: run the scan, or end at once with exitCode (0 after --help or
// --version, which were printed to out; 2 after a usage error, reported to err as one
// line beginning "lintally-cli: ").
struct ParseOutcome
{
    bool run = false;
    int exitCode = 0;
};

[[nodiscard]] ParseOutcome ParseCommandLine(int argc, const char* const* argv, CliOptions& options,
                                            std::ostream& out, std::ostream& err);

}  // namespace lintally::cli
