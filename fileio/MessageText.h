// Text from outside (paths, arguments) made safe to put in a one-line message: control
// bytes are shown as escapes, so a name holding a newline or a terminal escape can neither
// split the message nor act on the terminal.
//
// A pure function; any thread may call it.
#pragma once

#include <string>
#include <string_view>

namespace Brim {

// \n, \r and \t as those escapes, every other byte below 0x20 and 0x7F as \xHH; all other
// bytes (UTF-8 included) unchanged.
[[nodiscard]] std::string EscapeControlBytes(std::string_view text);

}  // namespace Brim
