#include "sysutil/Privilege.h"

namespace Brim {

bool AdjustPrivilege(const char* name, std::uint32_t attributes)
{
    static_cast<void>(name);
    static_cast<void>(attributes);
    return false;
}

}  // namespace Brim
