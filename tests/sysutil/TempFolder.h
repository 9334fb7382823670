// A private temporary folder for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class CTempFolder
{
public:
    CTempFolder()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        // create_directory answers false for a name that is taken, so a race picks another.
        for (int attempt = 0; attempt < 100 && m_Path.empty(); ++attempt) {
            const std::filesystem::path candidate =
                base / ("sysutil-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) {
                m_Path = candidate;
            }
        }
    }
    ~CTempFolder()
    {
        std::error_code ignored;
        if (!m_Path.empty()) {
            std::filesystem::remove_all(m_Path, ignored);
        }
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return (m_Path / name).string(); }

    // The number of entries directly inside the folder.
    std::size_t EntryCount() const
    {
        std::size_t count = 0;
        std::error_code error;
        for (std::filesystem::directory_iterator it(m_Path, error), end; !error && it != end;
             it.increment(error)) {
            ++count;
        }
        return count;
    }

private:
    std::filesystem::path m_Path;
};
