#include "cli/ConfigFiles.h"

#include <filesystem>
#include <system_error>

#include "fileio/MessageText.h"
#include "fileio/ReadOnlyFile.h"

namespace lintally::cli {

namespace fs = std::filesystem;

std::string FindProjectConfig(const std::string& root)
{
    std::error_code failure;
    fs::path folder = fs::absolute(fs::path(root), failure).lexically_normal();
    if (failure) {
        return {};
    }
    if (!fs::is_directory(folder, failure)) {
        folder = folder.parent_path();
    }
    for (;;) {
        const fs::path candidate = folder / kProjectConfigName;
        if (fs::exists(candidate, failure)) {
            return candidate.string();
        }
        if (fs::exists(folder / ".git", failure) || folder == folder.parent_path() ||
            !folder.has_relative_path()) {
            return {};
        }
        folder = folder.parent_path();
    }
}

bool ReadConfigFile(const std::string& path, std::vector<Brim::TomlEntry>& entries,
                    std::string& error)
{
    entries.clear();
    const std::string named = Brim::EscapeControlBytes(path);
    std::error_code failure;
    if (!fs::exists(fs::path(path), failure) && !failure) {
        return true;
    }
    Brim::ReadOnlyFile file;
    if (!file.Open(path.c_str())) {
        error = named + ": cannot be read as a settings file (not a readable regular file)";
        return false;
    }
    std::string text(kMaxConfigBytes + 1, '\0');
    std::size_t size = 0;
    while (size < text.size()) {
        const std::uint32_t read =
            file.Read(text.data() + size, static_cast<std::uint32_t>(text.size() - size));
        if (read == 0) {
            break;
        }
        size += read;
    }
    if (file.Failed()) {
        error = named + ": cannot be read";
        return false;
    }
    if (size > kMaxConfigBytes) {
        error = named + ": larger than " + std::to_string(kMaxConfigBytes / 1024) +
                " KiB; not a settings file";
        return false;
    }
    text.resize(size);
    Brim::TomlError fault;
    if (!Brim::ReadToml(text, entries, fault)) {
        error =
            named + ":" + std::to_string(fault.line) + ": " + Brim::EscapeControlBytes(fault.what);
        return false;
    }
    return true;
}

}  // namespace lintally::cli
