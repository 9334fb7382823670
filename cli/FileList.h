// The list of names --files-from reads: split at line ends (a CR before the LF is dropped)
// or at NUL bytes, as it arrives block by block, so an endless input (a device, a pipe that
// never ends a line) costs one block and one name at most, never the whole input.
//
// Plain values; used by main's thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lintally::cli {

class FileListSplitter
{
public:
    // Names longer than longest bytes are refused.
    FileListSplitter(bool nulSeparated, std::size_t longest);

    // Adds the names that end in block to names; false with error set (which name, by its
    // line or place in the list, and what is wrong with it) on a name that is too long or,
    // in a list of lines, holds a NUL byte.
    [[nodiscard]] bool Feed(std::string_view block, std::vector<std::string>& names,
                            std::string& error);
    // The list ended: adds its last name when it had no separator after it.
    [[nodiscard]] bool Finish(std::vector<std::string>& names, std::string& error);

private:
    bool EndName(std::vector<std::string>& names, std::string& error);
    bool Refuse(const std::string& what, std::string& error) const;
    bool RefuseLength(std::string& error) const;

    bool m_nulSeparated;
    std::size_t m_longest;
    std::string m_name;  // the bytes of the name not yet ended
    std::uint64_t m_number = 1;
};

// Reads the list at path ("-": standard input) into names, empty entries left out; false
// with error set to one line.
[[nodiscard]] bool ReadFileList(const std::string& path, bool nulSeparated,
                                std::vector<std::string>& names, std::string& error);

}  // namespace lintally::cli
