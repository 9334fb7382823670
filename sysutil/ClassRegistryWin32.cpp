#include "sysutil/ClassRegistry.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace Brim {

namespace {

bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Reads the default value of an open key as text. The value may change between asking for
// its size and reading it, so a value that grew in between is asked for again.
bool QueryDefaultText(HKEY key, std::string& value)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            !IsText(type)) {
            return false;
        }
        // One spare byte terminates a value that was stored without its terminator.
        std::vector<char> bytes(static_cast<std::size_t>(size) + 1, '\0');
        DWORD read = size;
        const LONG result = ::RegQueryValueExA(key, nullptr, nullptr, &type,
                                               reinterpret_cast<BYTE*>(bytes.data()), &read);
        if (result == ERROR_MORE_DATA) {
            continue;
        }
        if (result != ERROR_SUCCESS || !IsText(type) || read > size) {
            return false;
        }
        value.assign(bytes.data(), ::strnlen(bytes.data(), read));
        return true;
    }
    return false;
}

bool ReadDefaultText(HKEY root, const std::string& path, std::string& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    const bool read = QueryDefaultText(key, value);
    ::RegCloseKey(key);
    return read;
}

// HKEY_CLASSES_ROOT as Windows defines it: the user's classes (the "Software\Classes" key of
// HKEY_CURRENT_USER) take precedence over the machine's. Windows merges the two views itself;
// Wine does not, so the user's key is read first explicitly, which gives the same answer on
// both.
class CClassesRootRegistry final : public IClassRegistry
{
public:
    bool ReadDefaultValue(const char* key, std::string& value) const override
    {
        value.clear();
        if (key == nullptr || *key == '\0') {
            return false;
        }
        return ReadDefaultText(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + key,
                               value) ||
               ReadDefaultText(HKEY_CLASSES_ROOT, key, value);
    }
};

}  // namespace

const IClassRegistry& PlatformClassRegistry()
{
    static const CClassesRootRegistry registry;
    return registry;
}

}  // namespace Brim
