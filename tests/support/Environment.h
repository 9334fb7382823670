// Setting and clearing the test process's environment variables, which the programs and
// libraries it starts read (HOME for git's settings, GIT_CEILING_DIRECTORIES).
//
// Free functions; call them from the test thread while no other thread runs.
#pragma once

#include <string>

namespace lintally::testing {

void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

}  // namespace lintally::testing
