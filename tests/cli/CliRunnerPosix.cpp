#include "tests/cli/CliRunner.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace lintally::testing {

namespace {

// A program that hangs is ended by this alarm, so a test fails instead of waiting forever.
constexpr unsigned kWatchdogSeconds = 60;

std::string TakeFile(const std::string& path)
{
    std::string bytes = ReadAll(path);
    unlink(path.c_str());
    return bytes;
}

int MakeCaptureFile(std::string& path)
{
    path = "/tmp/lintally-cli-test-XXXXXX";
    return mkstemp(path.data());
}

[[noreturn]] void RunChild(const CliRun& run, int outFd, int errFd)
{
    if (!run.workingFolder.empty() && chdir(run.workingFolder.c_str()) != 0) {
        _exit(126);
    }
    if (run.fileSizeLimit >= 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(run.fileSizeLimit);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    const int inFd = open(run.inputPath.empty() ? "/dev/null" : run.inputPath.c_str(), O_RDONLY);
    if (inFd < 0) {
        _exit(126);
    }
    dup2(inFd, STDIN_FILENO);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    // The program starts with the three standard streams only, so a descriptor limit
    // means the same on every run.
    for (int fd = STDERR_FILENO + 1; fd < 1024; ++fd) {
        close(fd);
    }
    if (run.openFileLimit >= 0) {
        const rlimit limit{static_cast<rlim_t>(run.openFileLimit),
                           static_cast<rlim_t>(run.openFileLimit)};
        setrlimit(RLIMIT_NOFILE, &limit);
    }
    setenv("XDG_CONFIG_HOME",
           run.configHome.empty() ? "/nonexistent/lintally-tests" : run.configHome.c_str(), 1);
    alarm(kWatchdogSeconds);
    std::vector<char*> argv;
    std::string program = LINTALLY_CLI;
    argv.push_back(program.data());
    std::vector<std::string> args = run.args;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Waits, however slow the machine, until the child has written text to its standard error
// (or has ended, or the watchdog is near), then interrupts it.
void InterruptOnceShown(pid_t child, const std::string& errPath, const std::string& text)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWatchdogSeconds);
    while (ReadAll(errPath).find(text) == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
        siginfo_t info{};
        if (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            info.si_pid == child) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(child, SIGINT);
}

}  // namespace

CliResult RunCli(const CliRun& run)
{
    CliResult result;
    std::string outPath;
    std::string errPath;
    int outFd = MakeCaptureFile(outPath);
    const int errFd = MakeCaptureFile(errPath);
    int pipeFds[2] = {-1, -1};
    if (run.closedStdout && pipe(pipeFds) == 0) {
        close(outFd);
        outFd = pipeFds[1];
    }
    const pid_t child = fork();
    if (child == 0) {
        RunChild(run, outFd, errFd);
    }
    if (pipeFds[0] >= 0) {
        close(pipeFds[0]);  // nobody will read what the child writes
    }
    close(outFd);
    close(errFd);
    if (child > 0 && !run.interruptOnceErrShows.empty()) {
        InterruptOnceShown(child, errPath, run.interruptOnceErrShows);
    }
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child) {
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    result.out = TakeFile(outPath);
    result.err = TakeFile(errPath);
    return result;
}

}  // namespace lintally::testing
