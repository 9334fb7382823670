// The command line's system calls on POSIX systems: write(2) on descriptors 1 and 2, and
// isatty.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "cli/System.h"
#include "fileio/WriteAll.h"

namespace lintally::cli {

namespace {

int DescriptorOf(StdStream stream)
{
    return stream == StdStream::Out ? STDOUT_FILENO : STDERR_FILENO;
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

}  // namespace lintally::cli
