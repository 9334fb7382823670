// A folder tree made for one test in a fresh temporary folder and removed with it. Paths
// are given with '/' and built with the platform's separator, so a test reads the same on
// every system.
//
// Owned by one test; not shared between threads.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "scan/PathSeparator.h"

namespace lintally::testing {

// "sub/x.c" with the platform's separator ("sub\x.c" on Windows).
inline std::string NativePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', scan::kPathSeparator);
    return path;
}

class TempTree
{
public:
    TempTree()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        // create_directory answers false for a name that is taken, so a clash picks another.
        for (int attempt = 0; attempt < 100 && m_root.empty(); ++attempt) {
            const std::filesystem::path candidate = base / ("lintally-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                m_root = candidate.string();
            }
        }
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
    [[nodiscard]] std::string Path(const std::string& relative) const
    {
        return m_root + scan::kPathSeparator + NativePath(relative);
    }

    // Writes the file, making the folders it needs.
    void File(const std::string& relative, const std::string& bytes) const
    {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void Folder(const std::string& relative) const { std::filesystem::create_directories(Path(relative)); }

private:
    std::string m_root;
};

}  // namespace lintally::testing
