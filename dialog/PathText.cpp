#include "dialog/PathText.h"

#include "fileio/PathSeparator.h"
#include "scan/Presets.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

const char* HomeFolder()
{
#ifdef _WIN32
    return std::getenv("USERPROFILE");
#else
    return std::getenv("HOME");
#endif
}

}  // namespace

std::string RootFromDestination(const std::string& text)
{
    const char* home = HomeFolder();
    const bool tilde =
        !text.empty() && text[0] == '~' && (text.size() == 1 || Brim::IsPathSeparator(text[1]));
    if (!tilde || home == nullptr || *home == '\0') {
        return text;
    }
    std::string root = home;
    // The home folder may end with a separator of its own; the rest of the text brings one.
    if (text.size() > 1 && Brim::IsPathSeparator(root.back())) {
        root.pop_back();
    }
    return root + text.substr(1);
}

std::string HomeAbbreviated(const std::string& path)
{
#ifdef _WIN32
    return path;
#else
    const char* home = HomeFolder();
    if (home == nullptr || *home == '\0') {
        return path;
    }
    std::string_view prefix = home;
    while (prefix.size() > 1 && Brim::IsPathSeparator(prefix.back())) {
        prefix.remove_suffix(1);
    }
    // The home folder "/" would make every path "~..."; only a real folder is worth it.
    const bool inside =
        prefix.size() > 1 && path.starts_with(prefix) &&
        (path.size() == prefix.size() || Brim::IsPathSeparator(path[prefix.size()]));
    if (!inside) {
        return path;
    }
    std::string shown = "~";
    shown.append(path, prefix.size());
    return shown;
#endif
}

std::string StartDestination()
{
    const std::string preset(lintally::scan::kDestinationPresets[0]);
    if constexpr (lintally::scan::kStartDestination ==
                  lintally::scan::StartDestination::FirstPreset) {
        return preset;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error || folder.empty() ? preset : HomeAbbreviated(folder.string());
}

bool PathFileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool PathIsFolder(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}
