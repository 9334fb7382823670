#include "sysutil/ClassRegistry.h"

#include "memory/RefStr.h"

#include <cstring>

namespace Brim {

namespace {

bool CanRead(const char* classId, char* out, std::uint32_t* size)
{
    if (classId == nullptr || out == nullptr || size == nullptr) {
        return false;
    }
    if (*size > 0) {
        out[0] = '\0';
    }
    return true;
}

bool ReadValue(const Hoard::CRefStr& key, char* out, std::uint32_t* size,
               const IClassRegistry& registry)
{
    std::string value;
    const char* keyText = key.GetText();
    if (!registry.ReadDefaultValue(keyText != nullptr ? keyText : "", value)) {
        return false;
    }
    // The value is text: it ends at its first NUL, and the terminator is part of its size.
    const std::size_t length = std::strlen(value.c_str());
    if (length >= *size) {
        *size = length + 1 > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(length + 1);
        return false;
    }
    std::memcpy(out, value.c_str(), length + 1);
    *size = static_cast<std::uint32_t>(length + 1);
    return true;
}

}  // namespace

bool GetInprocServer(const char* classId, char* out, std::uint32_t* size,
                     const IClassRegistry& registry)
{
    if (!CanRead(classId, out, size)) {
        return false;
    }
    Hoard::CRefStr key;
    key.Format("CLSID\\%s\\InprocServer32", classId);
    return ReadValue(key, out, size, registry);
}

bool GetProgId(const char* classId, char* out, std::uint32_t* size, bool versionIndependent,
               const IClassRegistry& registry)
{
    if (!CanRead(classId, out, size)) {
        return false;
    }
    Hoard::CRefStr key;
    if (versionIndependent) {
        key.Format("CLSID\\%s\\VersionIndependentProgID", classId);
    } else {
        key.Format("CLSID\\%s\\ProgID", classId);
    }
    return ReadValue(key, out, size, registry);
}

}  // namespace Brim
