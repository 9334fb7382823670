#include "fileio/SignalCleanup.h"

#include <unistd.h>

#include <atomic>
#include <csignal>

namespace Brim {

namespace {

std::mutex g_turn;
std::atomic<const char*> g_path{nullptr};
struct sigaction g_savedInt = {};
struct sigaction g_savedTerm = {};

// Only async-signal-safe calls: unlink, sigaction, raise.
void RemoveThenPassOn(int signal)
{
    if (const char* path = g_path.exchange(nullptr))
        unlink(path);
    sigaction(signal, signal == SIGINT ? &g_savedInt : &g_savedTerm, nullptr);
    raise(signal);
}

}  // namespace

SignalCleanup::SignalCleanup(const std::string& path) : m_turn(g_turn), m_path(path)
{
    static_assert(std::atomic<const char*>::is_always_lock_free);
    g_path.store(m_path.c_str());
    struct sigaction action = {};
    action.sa_handler = RemoveThenPassOn;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(SIGINT, &action, &g_savedInt);
    sigaction(SIGTERM, &action, &g_savedTerm);
}

SignalCleanup::~SignalCleanup()
{
    sigaction(SIGINT, &g_savedInt, nullptr);
    sigaction(SIGTERM, &g_savedTerm, nullptr);
    g_path.store(nullptr);
}

}  // namespace Brim
