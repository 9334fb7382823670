#include "sysutil/ShellOpenArgs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace Brim {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::vector<std::string> SplitParameters(const char* text)
{
    std::vector<std::string> words;
    if (text == nullptr) {
        return words;
    }
    const char* cursor = text;
    while (*cursor != '\0') {
        while (IsBlank(*cursor)) {
            ++cursor;
        }
        const char* start = cursor;
        while (*cursor != '\0' && !IsBlank(*cursor)) {
            ++cursor;
        }
        if (cursor != start) {
            words.emplace_back(start, cursor);
        }
    }
    return words;
}

std::vector<std::string> BuildShellOpenArgv(const char* file, const char* parameters,
                                            bool fileIsExecutable)
{
    std::vector<std::string> argv;
    if (file == nullptr || *file == '\0') {
        return argv;
    }
    std::vector<std::string> words = SplitParameters(parameters);
    const bool runItself = fileIsExecutable && !words.empty();
    const bool needsDotSlash = file[0] == '-' || (runItself && std::strchr(file, '/') == nullptr);
    std::string target = needsDotSlash ? std::string("./") + file : std::string(file);
    if (!runItself) {
        argv.emplace_back("xdg-open");
        argv.push_back(std::move(target));
        return argv;
    }
    argv.push_back(std::move(target));
    for (std::string& word : words) {
        argv.push_back(std::move(word));
    }
    return argv;
}

bool IsExecutableFile(const char* path)
{
    struct stat info = {};
    return path != nullptr && stat(path, &info) == 0 && S_ISREG(info.st_mode) &&
           access(path, X_OK) == 0;
}

}  // namespace Brim
