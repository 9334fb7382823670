// RunCli on Windows: CreateProcessA with the standard handles on temporary files (or on a
// pipe whose reading end is already closed), the command line quoted by the C runtime's
// rules, and a watchdog that ends a program that hangs.
#include <windows.h>

#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

namespace lintally::testing {

namespace {

constexpr DWORD kWatchdogMilliseconds = 60000;
constexpr UINT kWatchdogStatus = 128 + 14;  // what the POSIX runner reports for its alarm

// One argument as the C runtime splits it again: quoted when it holds a blank or a quote,
// with the backslashes before a quote doubled.
std::string Quote(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        return arg;
    }
    std::string quoted(1, '"');
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted.push_back(c);
        backslashes = 0;
    }
    quoted.append(2 * backslashes, '\\');
    quoted.push_back('"');
    return quoted;
}

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

// A handle the child inherits: a fresh temporary file to write to, or a file to read from.
HANDLE OpenInheritable(const std::string& path, bool forWriting)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileA(path.c_str(), forWriting ? GENERIC_WRITE : GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                         forWriting ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
}

std::string MakeCapturePath()
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "lcl", 0, path);
    return path;
}

std::string TakeFile(const std::string& path)
{
    std::string bytes = ReadAll(path);
    ::DeleteFileA(path.c_str());
    return bytes;
}

std::string CommandLine(const CliRun& run, const std::string& program)
{
    std::string line = Quote(program);
    for (const std::string& arg : run.args) {
        line.append(1, ' ').append(Quote(arg));
    }
    return line;
}

int WaitForExit(HANDLE process)
{
    if (::WaitForSingleObject(process, kWatchdogMilliseconds) == WAIT_TIMEOUT) {
        ::TerminateProcess(process, kWatchdogStatus);
        ::WaitForSingleObject(process, INFINITE);
    }
    DWORD code = 0;
    return ::GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

}  // namespace

CliResult RunCli(const CliRun& run)
{
    CliResult result;
    const std::string outPath = MakeCapturePath();
    const std::string errPath = MakeCapturePath();
    HANDLE out = OpenInheritable(outPath, true);
    const HANDLE err = OpenInheritable(errPath, true);
    const HANDLE in = OpenInheritable(run.inputPath.empty() ? "NUL" : run.inputPath, false);
    if (run.closedStdout) {
        // The reading end goes before the child starts, so nothing can ever read the pipe.
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        HANDLE writeEnd = nullptr;
        if (::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
            ::CloseHandle(readEnd);
            ::CloseHandle(out);
            out = writeEnd;
        }
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    const std::string program = FullPath(LINTALLY_CLI);
    std::string commandLine = CommandLine(run, program);
    const std::string folder =
        run.workingFolder.empty() ? std::string() : FullPath(run.workingFolder);
    // The child inherits this process's environment.
    ::SetEnvironmentVariableA("APPDATA", run.configHome.empty() ? "Z:\\nonexistent\\lintally-tests"
                                                                : run.configHome.c_str());
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                         folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        ::CloseHandle(process.hThread);
        result.status = WaitForExit(process.hProcess);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    result.out = TakeFile(outPath);
    result.err = TakeFile(errPath);
    return result;
}

}  // namespace lintally::testing
