// The command line's system calls on Windows: WriteFile on the standard handles and the
// console test.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>

#include "cli/System.h"
#include "fileio/LastError.h"
#include "fileio/WriteAll.h"

namespace lintally::cli {

namespace {

HANDLE HandleOf(StdStream stream)
{
    return ::GetStdHandle(stream == StdStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

}  // namespace

void PrepareStdStreams()
{
    // The report's CR LF must reach standard output as it is, and so must the LF of the
    // help text written through the C library.
    _setmode(_fileno(stdout), _O_BINARY);
}

bool IsTerminal(StdStream stream)
{
    // A console answers GetConsoleMode; files, pipes and the NUL device do not (_isatty
    // would take NUL for a terminal, being a character device).
    DWORD mode = 0;
    return ::GetConsoleMode(HandleOf(stream), &mode) != FALSE;
}

WriteStatus WriteStream(StdStream stream, std::string_view bytes, std::string& error)
{
    const HANDLE handle = HandleOf(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        error = "no such stream";
        return WriteStatus::Failed;
    }
    if (Brim::WriteAll(handle, bytes)) {
        return WriteStatus::Written;
    }
    // The reader of a pipe has gone: "the pipe is being closed" or "has been ended".
    const DWORD code = ::GetLastError();
    if (code == ERROR_NO_DATA || code == ERROR_BROKEN_PIPE) {
        return WriteStatus::PipeClosed;
    }
    error = Brim::GetLastErrorLine();
    return WriteStatus::Failed;
}

}  // namespace lintally::cli
