// A reader of the part of TOML that a settings file needs: comments, [table] headers, and
// key = value lines whose value is a string (basic, with escapes, or literal), an integer, a
// boolean or an array of strings (which may span lines). Anything else (floats, dates, inline
// tables, dotted keys, multi-line strings) is refused as not read here, never guessed at.
//
// The reader makes no recursive calls and holds only what it returns, so any input is safe;
// the caller bounds the size of what it hands in. Pure functions; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Brim {

struct TomlValue
{
    enum class Kind
    {
        String,
        Integer,
        Boolean,
        Strings,
    };
    Kind kind = Kind::String;
    std::string text;                  // String
    std::int64_t integer = 0;          // Integer
    bool boolean = false;              // Boolean
    std::vector<std::string> strings;  // Strings
};

// One key = value line: the table it lies in (empty before the first header), its key, its
// value and the line (from 1) where the key stands.
struct TomlEntry
{
    std::string table;
    std::string key;
    TomlValue value;
    std::size_t line = 0;
};

// What is wrong with a document, and the line (from 1) where it was found.
struct TomlError
{
    std::size_t line = 0;
    std::string what;
};

// The entries of text in the order they stand; false with error set at the first fault (a
// key given twice in a table, a table given twice, a NUL or other control byte, bytes that
// are not TOML or not read here).
[[nodiscard]] bool ReadToml(std::string_view text, std::vector<TomlEntry>& entries,
                            TomlError& error);

}  // namespace Brim
