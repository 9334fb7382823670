// Brim::IClassRegistry and the class-id lookups GetInprocServer and GetProgId.
//
// Class ids are looked up under "CLSID\<class id>\..." keys of a class registry. On Windows
// the platform registry reads the classes root (the user's classes over the machine's); POSIX
// systems have no class registry, so there it finds nothing. A program or a test may pass a
// registry of its own. The lookups copy a found value into the caller's buffer with the size
// rule of a registry value query. Registries are borrowed, never owned; the platform one is
// stateless and safe on any thread.
#pragma once

#include <cstdint>
#include <string>

namespace Brim {

class IClassRegistry
{
public:
    // Reads the default value of key (a path such as "CLSID\{...}\ProgID") into value; true
    // when the key exists and has a text value.
    virtual bool ReadDefaultValue(const char* key, std::string& value) const = 0;

protected:
    ~IClassRegistry() = default;
};

// The registry of this platform: HKEY_CLASSES_ROOT on Windows, none (finds no key) elsewhere.
[[nodiscard]] const IClassRegistry& PlatformClassRegistry();

// Reads the default value of "CLSID\<classId>\InprocServer32" into out. *size holds the
// buffer's size in bytes on entry; on success it receives the bytes written, terminator
// included. out starts empty. False when classId, out or size is null, when the key is not
// found, or when the buffer is too small (then *size receives the size needed and out stays
// empty).
bool GetInprocServer(const char* classId, char* out, std::uint32_t* size,
                     const IClassRegistry& registry = PlatformClassRegistry());

// The same for "CLSID\<classId>\ProgID", or "CLSID\<classId>\VersionIndependentProgID" when
// versionIndependent is true.
bool GetProgId(const char* classId, char* out, std::uint32_t* size, bool versionIndependent,
               const IClassRegistry& registry = PlatformClassRegistry());

}  // namespace Brim
