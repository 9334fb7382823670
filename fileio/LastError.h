// GetLastErrorText: the system's message text for the calling thread's last error code.
//
// Writes only into the caller's buffer; any thread may call it, and it reads that thread's
// own error code, so call it right after the failed call. The error code is left as it was.
#pragma once

#include <cstdint>
#include <string>

namespace Brim {

// Copies at most size bytes of the text into buffer and pads the rest with zero bytes. The
// result is always a terminated string: a text that would fill the buffer is cut one byte
// short. Size 0 (or a null buffer) copies nothing. Always returns true.
bool GetLastErrorText(char* buffer, std::uint32_t size);

// The same text as one line for messages: line breaks (system texts end with CR LF, and a
// few span lines) become spaces and trailing spaces go.
std::string GetLastErrorLine();

}  // namespace Brim
