// The command line's system calls on POSIX systems: write(2) on descriptors 1 and 2, and
// isatty and the terminal's size.
#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "cli/System.h"
#include "fileio/WriteAll.h"

namespace lintally::cli {

namespace {

int DescriptorOf(StdStream stream)
{
    return stream == StdStream::Out ? STDOUT_FILENO : STDERR_FILENO;
}

std::atomic<scan::StopToken*> g_stop{nullptr};
volatile std::sig_atomic_t g_signal = 0;

// Only async-signal-safe work: a lock-free store, signal and raise.
void OnInterrupt(int signal)
{
    scan::StopToken* stop = g_stop.load();
    if (stop == nullptr || g_signal != 0) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    g_signal = signal;
    stop->RequestStopFromSignal();
}

}  // namespace

void PrepareStdStreams()
{
    // A closed pipe then shows up as EPIPE from write, and the program ends quietly.
    std::signal(SIGPIPE, SIG_IGN);
}

bool IsTerminal(StdStream stream)
{
    return isatty(DescriptorOf(stream)) == 1;
}

unsigned TerminalColumns(StdStream stream)
{
    winsize size = {};
    if (ioctl(DescriptorOf(stream), TIOCGWINSZ, &size) != 0) {
        return 0;
    }
    return size.ws_col;
}

WriteStatus WriteStream(StdStream stream, std::string_view bytes, std::string& error)
{
    if (Brim::WriteAll(DescriptorOf(stream), bytes)) {
        return WriteStatus::Written;
    }
    if (errno == EPIPE) {
        return WriteStatus::PipeClosed;
    }
    error = std::strerror(errno);
    return WriteStatus::Failed;
}

void StopOnInterrupt(scan::StopToken& stop)
{
    static_assert(std::atomic<scan::StopToken*>::is_always_lock_free);
    g_stop.store(&stop);
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM}) {
        // A signal ignored from the start (a job started in the background) stays ignored.
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

void EndStopOnInterrupt()
{
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction before = {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == OnInterrupt) {
            std::signal(signal, SIG_DFL);
        }
    }
    g_stop.store(nullptr);
}

int InterruptSignal()
{
    return g_signal;
}

std::string UserConfigPath()
{
    // An empty or relative XDG_CONFIG_HOME is to be ignored, as if it were not set.
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config != nullptr && config[0] == '/') {
        return std::string(config) + "/lintally/config.toml";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config/lintally/config.toml";
    }
    return {};
}

}  // namespace lintally::cli
