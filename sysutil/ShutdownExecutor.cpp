#include "sysutil/ShutdownExecutor.h"

namespace Brim {

ShutdownRequest MapShutdownFlags(std::uint32_t flags)
{
    ShutdownRequest request;
    if ((flags & 1u) != 0) {
        request.action = ShutdownAction::PowerOff;
    } else if ((flags & 2u) != 0) {
        request.action = ShutdownAction::Reboot;
    } else {
        request.action = ShutdownAction::LogOff;
    }
    request.force = (flags & 4u) != 0;
    return request;
}

std::uint32_t ExitWindowsFlags(const ShutdownRequest& request)
{
    std::uint32_t flags = 0;  // log off
    if (request.action == ShutdownAction::PowerOff) {
        flags = 1;
    } else if (request.action == ShutdownAction::Reboot) {
        flags = 2;
    }
    return request.force ? flags | 4u : flags;
}

std::vector<std::string> BuildShutdownArgv(const ShutdownRequest& request, std::uint32_t user)
{
    if (request.action == ShutdownAction::LogOff) {
        return {"loginctl", "terminate-user", std::to_string(user)};
    }
    std::vector<std::string> argv{
        "systemctl", request.action == ShutdownAction::PowerOff ? "poweroff" : "reboot"};
    if (request.force) {
        argv.emplace_back("--force");
    }
    return argv;
}

IShutdownExecutor* SystemShutdownExecutor()
{
    static CSystemShutdownExecutor executor;
    return &executor;
}

}  // namespace Brim
