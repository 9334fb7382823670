// Text from outside (paths, arguments) made safe to put in a one-line message or a table
// cell: control characters and the invisible marks that reorder text are shown as escapes,
// so a name holding a newline, a terminal escape or a right-to-left override can neither
// split the line, act on the terminal nor disguise itself.
//
// Pure functions; any thread may call them.
#pragma once

#include <string>
#include <string_view>

namespace Brim {

// The characters shown escaped beside the C0 controls and DEL: the C1 controls
// (U+0080-U+009F) and the bidirectional marks, embeddings, overrides and isolates.
[[nodiscard]] bool IsHiddenControl(char32_t point);

// Appends \uHHHH, four lowercase hex digits, of a code point below U+10000.
void AppendUnicodeEscape(std::string& out, char32_t point);

// What becomes of \t, \r and \n: escapes in a one-line message, the bytes themselves where
// the format has room for them (a quoted CSV field).
enum class LineBreaks
{
    Escape,
    Keep,
};

// \n, \r and \t as those escapes (or kept), every other byte below 0x20 and 0x7F as \xHH,
// a hidden control (above) as \uHHHH; all other bytes unchanged, bytes that are not UTF-8
// included (on Windows names are in the ANSI code page).
[[nodiscard]] std::string EscapeControlBytes(std::string_view text,
                                             LineBreaks lineBreaks = LineBreaks::Escape);

}  // namespace Brim
