#include "sysutil/ProcessSpawn.h"

#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstdint>

extern char** environ;

namespace Brim {

namespace {

// Owns the attributes handed to posix_spawnp: a clean signal mask and SIGPIPE at its
// default, since the caller (a GUI or a CLI writing to pipes) may block or ignore it.
class CSpawnAttr
{
public:
    CSpawnAttr()
    {
        m_bValid = posix_spawnattr_init(&m_Attr) == 0;
        if (!m_bValid) {
            return;
        }
        sigset_t empty;
        sigset_t defaults;
        sigemptyset(&empty);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigmask(&m_Attr, &empty);
        posix_spawnattr_setsigdefault(&m_Attr, &defaults);
        posix_spawnattr_setflags(&m_Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~CSpawnAttr()
    {
        if (m_bValid) {
            posix_spawnattr_destroy(&m_Attr);
        }
    }
    CSpawnAttr(const CSpawnAttr&) = delete;
    CSpawnAttr& operator=(const CSpawnAttr&) = delete;

    const posix_spawnattr_t* Get() const { return m_bValid ? &m_Attr : nullptr; }

private:
    posix_spawnattr_t m_Attr;
    bool m_bValid = false;
};

bool Spawn(const std::vector<std::string>& argv, pid_t& pid)
{
    if (argv.empty() || argv[0].empty()) {
        return false;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    CSpawnAttr attr;
    return posix_spawnp(&pid, args[0], nullptr, attr.Get(), args.data(), environ) == 0;
}

// Waits for the child to end; false when it cannot be waited for.
bool WaitFor(pid_t pid, int& status)
{
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

void* ReapChild(void* arg)
{
    int status = 0;
    WaitFor(static_cast<pid_t>(reinterpret_cast<std::intptr_t>(arg)), status);
    return nullptr;
}

}  // namespace

bool SpawnDetached(const std::vector<std::string>& argv, pid_t* pid)
{
    pid_t child = 0;
    if (!Spawn(argv, child)) {
        return false;
    }
    if (pid != nullptr) {
        *pid = child;
    }
    pthread_attr_t attr;
    bool reaped = false;
    if (pthread_attr_init(&attr) == 0) {
        pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
        pthread_t thread;
        void* arg = reinterpret_cast<void*>(static_cast<std::intptr_t>(child));
        reaped = pthread_create(&thread, &attr, ReapChild, arg) == 0;
        pthread_attr_destroy(&attr);
    }
    if (!reaped) {
        // No thread to wait in the background: wait here rather than leave a zombie.
        int status = 0;
        WaitFor(child, status);
    }
    return true;
}

bool SpawnAndWait(const std::vector<std::string>& argv)
{
    pid_t child = 0;
    if (!Spawn(argv, child)) {
        return false;
    }
    int status = 0;
    return WaitFor(child, status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace Brim
