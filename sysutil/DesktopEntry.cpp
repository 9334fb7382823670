#include "sysutil/DesktopEntry.h"

namespace Brim {

namespace {

bool IsUnreservedPathByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// Escapes a string value of a desktop entry: backslash, line ends, tabs and a leading space.
std::string EscapeValue(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == ' ' && i == 0) {
            out += "\\s";
        } else {
            out += c;
        }
    }
    return out;
}

std::string LastPathPart(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const std::size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace

std::string FileUrlFromPath(const std::string& absolutePath)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreservedPathByte(byte)) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

std::string BuildLinkEntry(const std::string& absoluteTarget, const char* description)
{
    std::string entry = "[Desktop Entry]\nType=Link\n";
    entry += "Name=" + EscapeValue(LastPathPart(absoluteTarget)) + "\n";
    entry += "URL=" + FileUrlFromPath(absoluteTarget) + "\n";
    if (description != nullptr && *description != '\0') {
        entry += "Comment=" + EscapeValue(description) + "\n";
    }
    return entry;
}

}  // namespace Brim
