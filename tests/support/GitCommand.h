// Running git in a test's repository, with an identity of its own and local submodules
// allowed, so the user's settings play no part in what a test builds.
//
// POSIX runs the git program (GitCommandPosix.cpp). A Windows build under Wine cannot start
// it, so GitCommandWin32.cpp does the commands the tests use through libgit2, in-process; a
// test that needs any other says so with LINTALLY_NEEDS_GIT_PROGRAM and is skipped there.
//
// Free functions; used from the test thread only.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace lintally::testing {

// Runs git with args in folder; a failure fails the test.
void Git(const std::string& folder, const std::string& args);

// The same, giving what git wrote to its standard output.
std::string GitOutput(const std::string& folder, const std::string& args);

}  // namespace lintally::testing

#if defined(_WIN32)
#define LINTALLY_NEEDS_GIT_PROGRAM(what) \
    GTEST_SKIP() << "needs the git program (" what "), which Windows tests cannot start"
#else
#define LINTALLY_NEEDS_GIT_PROGRAM(what) static_cast<void>(0)
#endif
