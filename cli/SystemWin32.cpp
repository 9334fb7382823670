// The command line's system calls on Windows: WriteFile on the standard handles and the
// console test.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "cli/System.h"
#include "fileio/LastError.h"
#include "fileio/WriteAll.h"

namespace lintally::cli {

namespace {

HANDLE HandleOf(StdStream stream)
{
    return ::GetStdHandle(stream == StdStream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

std::atomic<scan::StopToken*> g_stop{nullptr};
std::atomic<int> g_signal{0};

// Runs on a thread of its own; TRUE keeps the process, FALSE lets the default end it.
BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    scan::StopToken* stop = g_stop.load();
    if (stop == nullptr || g_signal.load() != 0) {
        return FALSE;
    }
    g_signal.store(SIGINT);
    stop->RequestStop();
    return TRUE;
}

}  // namespace

void PrepareStdStreams()
{
    // The report's CR LF must reach standard output as it is, and so must the LF of the
    // help text written through the C library. A list of names read from standard input
    // keeps every byte too: text mode would end it at a byte 0x1a.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

bool IsTerminal(StdStream stream)
{
    // A console answers GetConsoleMode; files, pipes and the NUL device do not (_isatty
    // would take NUL for a terminal, being a character device).
    DWORD mode = 0;
    return ::GetConsoleMode(HandleOf(stream), &mode) != FALSE;
}

unsigned TerminalColumns(StdStream stream)
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (::GetConsoleScreenBufferInfo(HandleOf(stream), &info) == FALSE) {
        return 0;
    }
    return static_cast<unsigned>(info.srWindow.Right - info.srWindow.Left + 1);
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

void StopOnInterrupt(scan::StopToken& stop)
{
    g_stop.store(&stop);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void EndStopOnInterrupt()
{
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    g_stop.store(nullptr);
}

int InterruptSignal()
{
    return g_signal.load();
}

std::string UserConfigPath()
{
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && appData[0] != '\0') {
        return std::string(appData) + "\\lintally\\config.toml";
    }
    return {};
}

}  // namespace lintally::cli
