// SignalCleanup: removes a named temporary file when SIGINT or SIGTERM ends the process
// while the file exists, so an interrupted save leaves nothing behind.
//
// While an object lives, those two signals first remove its file, then go on to whatever
// handled them before (by default, ending the process). One object at a time in the
// process: constructing a second one waits until the first is gone. POSIX only.
#pragma once

#include <mutex>
#include <string>

namespace Brim {

class SignalCleanup
{
public:
    explicit SignalCleanup(const std::string& path);
    ~SignalCleanup();
    SignalCleanup(const SignalCleanup&) = delete;
    SignalCleanup& operator=(const SignalCleanup&) = delete;

private:
    std::unique_lock<std::mutex> m_turn;
    std::string m_path;
};

}  // namespace Brim
