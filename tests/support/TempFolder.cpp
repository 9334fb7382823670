#include "tests/support/TempFolder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace lintally::testing {

char PathSeparator()
{
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string NativePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', PathSeparator());
    return path;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t EntryCount(const std::string& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TempFolder::TempFolder()
{
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // The clock joins the random number so that a runtime whose random_device repeats
    // itself still gives tests running side by side different first guesses.
    std::random_device random;
    const auto tick = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    // create_directory answers false for a name that is taken, so a clash picks another.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "lintally-test-" + std::to_string(random()) + "-" +
                                 std::to_string((tick + attempt) % 1000000);
        std::error_code error;
        const std::filesystem::path candidate = base / name;
        if (std::filesystem::create_directory(candidate, error)) {
            m_root = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder under " + base.string());
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::string TempFolder::Path(const std::string& relative) const
{
    return m_root + PathSeparator() + NativePath(relative);
}

std::string TempFolder::Folder(const std::string& relative) const
{
    const std::string path = Path(relative);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) {
        throw std::runtime_error("cannot make the folder " + path + ": " + error.message());
    }
    return path;
}

std::string TempFolder::Write(const std::string& relative, std::string_view bytes) const
{
    const std::string path = Path(relative);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write the file " + path);
    }
    return path;
}

}  // namespace lintally::testing
