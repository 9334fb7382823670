// The command line's contact with the operating system: its standard streams as raw byte
// sinks, and whether one is a terminal. One source file per platform (SystemPosix.cpp,
// SystemWin32.cpp).
//
// PrepareStdStreams runs once at the start of main, before any output; the other functions
// keep no state and may be called from any thread.
#pragma once

#include <string>
#include <string_view>

namespace lintally::cli {

enum class StdStream
{
    Out,
    Err,
};

enum class WriteStatus
{
    Written,
    PipeClosed,  // the reader went away; not an error
    Failed,
};

// Sets the streams up for byte-exact output: a closed pipe becomes an error result instead
// of ending the process (SIGPIPE), and nothing rewrites line ends (Windows text mode).
void PrepareStdStreams();

// True when the stream is shown on a terminal (a console on Windows).
[[nodiscard]] bool IsTerminal(StdStream stream);

// Writes all of bytes, unbuffered; error names the reason when the result is Failed.
[[nodiscard]] WriteStatus WriteStream(StdStream stream, std::string_view bytes, std::string& error);

}  // namespace lintally::cli
