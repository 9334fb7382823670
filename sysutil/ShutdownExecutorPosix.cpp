#include "sysutil/ShutdownExecutor.h"

#include "sysutil/ProcessSpawn.h"

#include <unistd.h>

namespace Brim {

bool CSystemShutdownExecutor::Execute(const ShutdownRequest& request)
{
    return SpawnAndWait(BuildShutdownArgv(request, static_cast<std::uint32_t>(getuid())));
}

}  // namespace Brim
