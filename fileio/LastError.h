// GetLastErrorText: the system's message text for the calling thread's last error code.
//
// Writes only into the caller's buffer; any thread may call it, and it reads that thread's
// own error code, so call it right after the failed call. The error code is left as it was.
#pragma once

#include <cstdint>

namespace Brim {

// Copies at most size bytes of the text into buffer and pads the rest with zero bytes. The
// result is always a terminated string: a text that would fill the buffer is cut one byte
// short. Size 0 (or a null buffer) copies nothing. Always returns true.
bool GetLastErrorText(char* buffer, std::uint32_t size);

}  // namespace Brim
