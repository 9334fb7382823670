#include "linecount/LanguageTable.h"

#include <cstring>

#include "fileio/PathSeparator.h"

namespace PrjHelper {

namespace {

// The last component of path: the extension is the file's own, never a folder's.
const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (Brim::IsPathSeparator(*at))
            name = at + 1;
    }
    return name;
}

}  // namespace

bool GetFileExt(const char* path, char* buffer, std::uint32_t size, bool withDot)
{
    if (path == nullptr || buffer == nullptr || size == 0)
        return false;
    const char* dot = std::strchr(path, '.');
    if (dot == nullptr)
        return false;

    const char* from = withDot ? dot : dot + 1;
    const std::size_t length = std::strlen(from);
    const std::size_t room = size - 1;
    const std::size_t copied = length < room ? length : room;
    std::memcpy(buffer, from, copied);
    std::memset(buffer + copied, 0, room - copied);
    buffer[room] = '\0';
    return length < size;
}

std::int32_t GetLanguageId(const char* ext)
{
    if (ext == nullptr)
        return 0;
    for (const ExtensionRow& row : kExtensionTable) {
        if (std::strcmp(ext, row.ext) == 0)
            return row.lang;
    }
    return 0;
}

std::int32_t GetPathLanguage(const char* path, char* ext, std::uint32_t size)
{
    GetFileExt(FileNameOf(path), ext, size, false);
    for (std::uint32_t i = 0; i < size; ++i) {
        if (ext[i] >= 'A' && ext[i] <= 'Z')
            ext[i] = static_cast<char>(ext[i] - 'A' + 'a');
    }
    return GetLanguageId(ext);
}

}  // namespace PrjHelper
