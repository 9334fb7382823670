#include "sysutil/SysActions.h"

#include "fileio/LastError.h"
#include "sysutil/MessagePresenter.h"
#include "sysutil/Privilege.h"
#include "sysutil/ProcessSpawn.h"
#include "sysutil/ShellOpenArgs.h"

#include <cstdio>
#include <ctime>

namespace Brim {

namespace {

constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";

const char* OrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

} // namespace

CSysActions::CSysActions(const COsVersion* version, IShutdownExecutor* executor)
    : m_pVersion(version), m_pExecutor(executor != nullptr ? executor : SystemShutdownExecutor())
{
}

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

std::int32_t CSysActions::ShowMessage(const char* caption, const char* text,
                                      std::uint32_t buttons, std::uint32_t icon)
{
    IMessagePresenter* presenter = GetMessagePresenter();
    if (presenter == nullptr) {
        std::fprintf(stderr, "%s: %s\n", OrEmpty(caption), OrEmpty(text));
        return MessageResultNone;
    }
    const MessageButtons shown = ButtonsFromCode(buttons);
    const MessageChoice choice =
        presenter->Present(OrEmpty(caption), OrEmpty(text), shown, IconFromCode(icon));
    return ResultFromChoice(choice, shown);
}

bool CSysActions::Shutdown(std::uint32_t flags)
{
    // The privilege steps keep the NT order of events; they fail harmlessly here. What the
    // caller learns is whether the system accepted the request, not how the privilege fared.
    AdjustPrivilege(kShutdownPrivilege, PrivilegeEnabled);
    const bool accepted = m_pExecutor->Execute(MapShutdownFlags(flags));
    AdjustPrivilege(kShutdownPrivilege, PrivilegeRemoved);
    return accepted;
}

bool CSysActions::GetLastErrorText(char* buffer, std::uint32_t size)
{
    return ::Brim::GetLastErrorText(buffer, size);
}

} // namespace Brim
