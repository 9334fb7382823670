// Our JSON turned into YAML as it streams by: the same values in block style, each key of a
// mapping on a line of its own and each item of a list behind "- ", two spaces deeper per
// level. Every string stays double-quoted as JSON quoted it, which a YAML reader takes
// alike (the few characters YAML readers refuse or fold when raw are escaped: U+2028,
// U+2029, U+FFFE, U+FFFF); a key that is a plain word is written bare, unless YAML 1.1
// would read it as a boolean or null. Empty objects and lists stay "{}" and "[]".
//
// Takes the JSON of one value whole and well formed, in pieces of any size. Owned by the
// thread that writes the output.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lintally::results {

class YamlFromJson
{
public:
    // Appends the YAML to out; a line end follows the last value.
    explicit YamlFromJson(std::string& out) : m_out(out) {}

    void Feed(std::string_view json);

private:
    struct Level
    {
        bool list = false;
        std::size_t indent = 0;    // the column of its keys or of its items' "- "
        bool firstInline = false;  // its first entry follows its parent's "- "
        bool afterKey = false;     // it is the value of a key
        std::size_t entries = 0;
    };

    void Take(char c);
    void EndString();
    void BeginEntry(Level& level);
    // A value begins; open says it is an object or a list.
    void BeginValue(bool open, bool list);
    void Close();

    std::string& m_out;
    std::vector<Level> m_levels;
    std::string m_string;  // the string being read, quotes and escapes as in the JSON
    bool m_inString = false;
    bool m_escaped = false;
    bool m_inScalar = false;
    bool m_valueNext = false;  // a key and its ':' were written
};

}  // namespace lintally::results
