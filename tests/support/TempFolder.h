// TempFolder: a fresh folder under the system's temporary folder for one test, removed with
// everything in it when the object goes, plus the small readers a test needs for what it
// left on disk. Relative paths are given with '/' and joined with the platform's separator
// ('\' on Windows), so a test reads the same on every system.
//
// Setup faults (no folder can be made, a file cannot be written) throw std::runtime_error,
// which the test framework reports as a failed test; nothing is written outside the folder.
// Owned by one test; not shared between threads. The free functions may run on any thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lintally::testing {

// The platform's separator between path parts.
char PathSeparator();

// "sub/x.c" with the platform's separator ("sub\x.c" on Windows).
std::string NativePath(std::string path);

// The bytes the file at path holds now; empty when it cannot be read.
std::string ReadAll(const std::string& path);

// The number of entries directly inside folder; throws when it cannot be listed.
std::size_t EntryCount(const std::string& folder);

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself, without a trailing separator.
    [[nodiscard]] const std::string& Root() const { return m_root; }
    // Root, the separator, then relative in native form; Path("") ends in the separator.
    [[nodiscard]] std::string Path(const std::string& relative) const;
    // Makes the folder relative (and those on the way) and returns its full path.
    std::string Folder(const std::string& relative) const;
    // Writes exactly bytes into the file relative, making the folders on the way, and
    // returns its full path.
    std::string Write(const std::string& relative, std::string_view bytes) const;

private:
    std::string m_root;
};

}  // namespace lintally::testing
