#include "sysutil/SysActions.h"

#include "sysutil/ProcessSpawn.h"
#include "sysutil/ShellOpenArgs.h"

#include <ctime>

namespace Brim {

std::int64_t CSysActions::QueryCounter()
{
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) {
        return 0;
    }
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool CSysActions::ShellOpen(const char* file, const char* parameters)
{
    const std::vector<std::string> argv =
        BuildShellOpenArgv(file, parameters, IsExecutableFile(file));
    return !argv.empty() && SpawnDetached(argv);
}

}  // namespace Brim
