// The path a file or folder really has: every symbolic link and "." or ".." in it resolved.
//
// A stateless function; any thread may call it.
#pragma once

#include <string>

namespace Brim {

// False when path does not exist or cannot be resolved.
[[nodiscard]] bool RealPath(const std::string& path, std::string& real);

}  // namespace Brim
