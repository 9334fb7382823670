// Replacing a file so that it is never seen half-written: the bytes go to a new temporary
// file in the target's folder, are flushed to the disk, and the temporary file is then
// renamed over the target. On any failure the temporary file is removed and the old
// target stays as it was.
//
// Stateless; any thread may call it (each call uses its own temporary file).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace Brim {

// Contents made piece by piece, so a large file is never held whole: a Content calls write
// with each piece in order and returns false as soon as write does. It may be called more
// than once (a failed attempt starts over in another place) and gives the same pieces each
// time.
using ContentWriter = std::function<bool(std::string_view piece)>;
using Content = std::function<bool(const ContentWriter& write)>;

// True when path now holds exactly what content gave. On failure error says what went
// wrong, in one line, naming the step and the system's reason.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, const Content& content,
                                       std::string& error);

// The same for contents held whole.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                                       std::string& error);

}  // namespace Brim
