#include <cstdlib>

#include "tests/support/Environment.h"

namespace lintally::testing {

// The C runtime's copy and the process's own (which children inherit) change together.
void SetEnv(const std::string& name, const std::string& value)
{
    ::_putenv_s(name.c_str(), value.c_str());
}

// An empty value removes the variable.
void UnsetEnv(const std::string& name)
{
    ::_putenv_s(name.c_str(), "");
}

}  // namespace lintally::testing
