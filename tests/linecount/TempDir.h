// TempDir: a fresh folder under the system's temporary folder, removed with everything in
// it when the object goes. Owned by one test.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

class TempDir
{
public:
    TempDir()
    {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && m_Path.empty(); ++attempt) {
            const std::filesystem::path candidate = base / ("lintally-lc-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
                m_Path = candidate;
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        if (!m_Path.empty())
            std::filesystem::remove_all(m_Path, ignored);
    }

    const std::filesystem::path& Path() const { return m_Path; }

    // Writes bytes to a file below the folder (creating sub-folders) and returns its path.
    std::string Write(const std::string& relative, std::string_view bytes) const
    {
        const std::filesystem::path file = m_Path / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    std::filesystem::path m_Path;
};
