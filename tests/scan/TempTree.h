// A folder tree made for one test in a fresh temporary folder and removed with it, for the
// things a repository cannot hold: pipes, links, unreadable files, names that are not
// UTF-8.
//
// Owned by one test; not shared between threads.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace lintally::testing {

class TempTree
{
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintally-XXXXXX").string();
        m_root = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~TempTree()
    {
        if (!m_root.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_root, ignored);
        }
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    [[nodiscard]] const std::string& Root() const { return m_root; }
    [[nodiscard]] std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

    // Writes the file, making the folders it needs.
    void File(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void Folder(const std::string& relative) const { std::filesystem::create_directories(Path(relative)); }
    void Link(const std::string& relative, const std::string& target) const
    {
        std::filesystem::create_symlink(target, Path(relative));
    }
    [[nodiscard]] bool Fifo(const std::string& relative) const
    {
        return mkfifo(Path(relative).c_str(), 0644) == 0;
    }

private:
    std::string m_root;
};

// Permissions do not stop root, so tests of unreadable files only mean something without it.
inline bool RunningAsRoot()
{
    return geteuid() == 0;
}

}  // namespace lintally::testing
