// UnreadableFile: keeps one file of a test tree from being read for as long as it lives,
// the way the system at hand allows: no read permission on POSIX, a handle that shares
// nothing on Windows. Where the system cannot do it (permissions do not stop root),
// IsUnreadable() is false and the test has nothing to check.
//
// Owned by one test; used from the test thread only.
#pragma once

#include <string>

namespace lintally::testing {

class UnreadableFile
{
public:
    explicit UnreadableFile(std::string path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    [[nodiscard]] bool IsUnreadable() const { return m_unreadable; }

private:
    std::string m_path;
    void* m_handle = nullptr;  // the unshared handle on Windows
    bool m_unreadable = false;
};

}  // namespace lintally::testing
