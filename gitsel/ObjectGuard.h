// Loose objects read for libgit2 by our own inflater, so that an object file cut short or
// damaged is an error naming the object rather than a loop inside the library (which spins
// on a truncated zlib stream). Installed ahead of the library's own loose-object reader in a
// repository's object database; packed objects are left to the library, which refuses a pack
// that no longer matches its index.
#pragma once

#include <string>

#include <git2.h>

namespace lintally::gitsel {

// Puts the guard in front of repository's object database; false when it cannot (the
// repository is then read as before).
[[nodiscard]] bool GuardObjects(git_repository* repository);

// The objects folder of repository (shared by its linked work trees).
[[nodiscard]] std::string ObjectsFolder(git_repository* repository);

}  // namespace lintally::gitsel
