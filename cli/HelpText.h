// Help as people read it: wrapped to the width of their terminal.
//
// A pure function; used by main's thread only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintally::cli {

// The width help is wrapped to: the terminal's columns, or 80 when it is none (a pipe, a
// file); never narrower than 40.
[[nodiscard]] std::size_t HelpWidth(unsigned terminalColumns);

// text with every line longer than width broken at spaces. A continued line is indented to
// where the line's text began after its first run of two or more spaces (the description
// column of an option's line) when that leaves room, else to the line's own indent. A word
// longer than the room is left whole.
[[nodiscard]] std::string WrapHelp(std::string_view text, std::size_t width);

}  // namespace lintally::cli
