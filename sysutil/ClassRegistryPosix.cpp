#include "sysutil/ClassRegistry.h"

namespace Brim {

namespace {

class CNoClassRegistry final : public IClassRegistry
{
public:
    bool ReadDefaultValue(const char* key, std::string& value) const override
    {
        static_cast<void>(key);
        value.clear();
        return false;
    }
};

}  // namespace

const IClassRegistry& PlatformClassRegistry()
{
    static const CNoClassRegistry registry;
    return registry;
}

}  // namespace Brim
