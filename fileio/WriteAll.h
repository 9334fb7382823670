// Writing a whole buffer through an open system handle: a short write goes on where it
// stopped, an interrupted one is tried again, and the first real failure ends it with the
// system's reason left as the thread's last error (errno, GetLastError) for the caller.
//
// Stateless; any thread may call it on a handle it owns.
#pragma once

#include <string_view>

#include "fileio/FileWin.h"

namespace Brim {

[[nodiscard]] bool WriteAll(CFileWin::Handle handle, std::string_view bytes);

}  // namespace Brim
