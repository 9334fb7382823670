// Replacing a file so that it is never seen half-written: the bytes go to a new temporary
// file in the target's folder, are flushed to the disk, and the temporary file is then
// renamed over the target. On any failure the temporary file is removed and the old
// target stays as it was.
//
// Stateless; any thread may call it (each call uses its own temporary file).
#pragma once

#include <string>
#include <string_view>

namespace Brim {

// True when path now holds exactly bytes. On failure error says what went wrong, in one
// line, naming the step and the system's reason.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string& error);

}  // namespace Brim
