// FileExists: whether a path names an existing regular file.
//
// Symbolic links are followed; folders, FIFOs, sockets and devices are not files here. On
// POSIX systems nothing is opened; on Windows the path is opened for attributes only and
// device names are refused; either way the test never blocks. Stateless; any thread may
// call it.
#pragma once

namespace Brim {

// False for null, an empty path, a missing path and anything that is not a regular file.
bool FileExists(const char* path);

}  // namespace Brim
