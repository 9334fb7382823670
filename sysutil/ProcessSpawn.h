// Starting helper programs without a shell.
//
// Both functions take an argument vector (argv[0] is the program, looked up on PATH when it
// holds no "/") and start it with posix_spawnp, with an empty signal mask and SIGPIPE at its
// default action. Nothing is ever passed through a shell, so no byte of an argument has a
// special meaning. Safe on any thread; neither function throws.
#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace Brim {

// Starts the program and returns at once; true when it started. A detached thread waits for
// the child, so no zombie is left behind. When pid is given it receives the child's id.
bool SpawnDetached(const std::vector<std::string>& argv, pid_t* pid = nullptr);

// Starts the program and waits for it; true when it started and exited with status 0.
bool SpawnAndWait(const std::vector<std::string>& argv);

}  // namespace Brim
