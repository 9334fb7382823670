// Making a symbolic link in a test's tree where the system allows it: Windows needs a
// privilege for it, and Wine makes none. A fixture that needs links skips without them.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace lintally::testing {

// Makes link point at target (a path as the link stores it); false when the system refuses.
inline bool MakeSymbolicLink(const std::string& target, const std::string& link)
{
    std::error_code failure;
    std::filesystem::create_symlink(target, link, failure);
    return !failure;
}

}  // namespace lintally::testing
