// Brim::IShutdownExecutor: the seam through which Shutdown asks the system to power off,
// reboot or end the user's session.
//
// Shutdown decodes its flag word into a ShutdownRequest and hands it to an executor; tests
// put a fake one in its place, so no test ever shuts a machine down. The system executor
// calls ExitWindowsEx on Windows; on POSIX systems it runs "systemctl poweroff|reboot
// [--force]" or "loginctl terminate-user <uid>" without a shell and waits for it. Executors
// are stateless here; the system one is safe on any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Brim {

enum class ShutdownAction
{
    PowerOff,
    Reboot,
    LogOff
};

struct ShutdownRequest
{
    ShutdownAction action = ShutdownAction::LogOff;
    bool force = false;
};

// Flag bits: bit 0 powers off, otherwise bit 1 reboots, otherwise the user is logged off;
// bit 2 adds force. Other bits are ignored.
[[nodiscard]] ShutdownRequest MapShutdownFlags(std::uint32_t flags);

// The ExitWindowsEx flags of a request: EWX_SHUTDOWN (1), EWX_REBOOT (2) or EWX_LOGOFF (0),
// plus EWX_FORCE (4) for a forced request.
[[nodiscard]] std::uint32_t ExitWindowsFlags(const ShutdownRequest& request);

// The POSIX command for a request. Ending a session names the user by numeric id, which
// needs no name lookup and cannot be spoofed through the environment; loginctl has no force
// option, since terminating a user's session already ends every process in it.
[[nodiscard]] std::vector<std::string> BuildShutdownArgv(const ShutdownRequest& request,
                                                         std::uint32_t user);

class IShutdownExecutor
{
public:
    // True when the system accepted the request.
    virtual bool Execute(const ShutdownRequest& request) = 0;

protected:
    ~IShutdownExecutor() = default;
};

// Hands the request to the system: ExitWindowsEx with ExitWindowsFlags on Windows, true when
// it accepted the request; elsewhere the command of BuildShutdownArgv for the calling user,
// true when it exited with 0.
class CSystemShutdownExecutor final : public IShutdownExecutor
{
public:
    bool Execute(const ShutdownRequest& request) override;
};

// The process-wide system executor; never null, never destroyed before exit.
[[nodiscard]] IShutdownExecutor* SystemShutdownExecutor();

}  // namespace Brim
