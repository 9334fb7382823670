// The command line's contact with the operating system: its standard streams as raw byte
// sinks, and whether one is a terminal. One source file per platform (SystemPosix.cpp,
// SystemWin32.cpp).
//
// PrepareStdStreams runs once at the start of main, before any output; the other functions
// keep no state and may be called from any thread.
#pragma once

#include <string>
#include <string_view>

#include "scan/StopToken.h"

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
// The width of the terminal the stream is shown on, in columns; 0 when it is none.
[[nodiscard]] unsigned TerminalColumns(StdStream stream);

// Writes all of bytes, unbuffered; error names the reason when the result is Failed.
[[nodiscard]] WriteStatus WriteStream(StdStream stream, std::string_view bytes, std::string& error);

// Until EndStopOnInterrupt, an interrupt (SIGINT or SIGTERM; Ctrl-C or Ctrl-Break on
// Windows) asks stop to end the scan instead of ending the process, so the progress line is
// erased and nothing half-done is written; a second interrupt ends the process at once.
// stop must outlive the watch. Called from main's thread.
void StopOnInterrupt(scan::StopToken& stop);
void EndStopOnInterrupt();

// Where the user's settings file lies: $XDG_CONFIG_HOME/lintally/config.toml, else
// ~/.config/lintally/config.toml ($HOME); %APPDATA%\lintally\config.toml on Windows. Empty
// when the variables it is made from are not set.
[[nodiscard]] std::string UserConfigPath();

// The signal number of the interrupt that stopped the scan; 0 when there was none.
[[nodiscard]] int InterruptSignal();

}  // namespace lintally::cli
