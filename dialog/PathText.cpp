#include "dialog/PathText.h"

#include "fileio/PathSeparator.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

std::string RootFromDestination(const std::string& text)
{
#ifdef _WIN32
    const char* home = std::getenv("USERPROFILE");
#else
    const char* home = std::getenv("HOME");
#endif
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
