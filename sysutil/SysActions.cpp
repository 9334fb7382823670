#include "sysutil/SysActions.h"

#include "fileio/LastError.h"
#include "sysutil/MessagePresenter.h"
#include "sysutil/Privilege.h"

namespace Brim {

namespace {

constexpr const char* kShutdownPrivilege = "SeShutdownPrivilege";

const char* OrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

}  // namespace

CSysActions::CSysActions(const COsVersion* version, IShutdownExecutor* executor)
    : m_pVersion(version), m_pExecutor(executor != nullptr ? executor : SystemShutdownExecutor())
{}

std::int32_t CSysActions::ShowMessage(const char* caption, const char* text, std::uint32_t buttons,
                                      std::uint32_t icon)
{
    const MessageButtons shown = ButtonsFromCode(buttons);
    const MessageIcon symbol = IconFromCode(icon);
    IMessagePresenter* presenter = GetMessagePresenter();
    const MessageChoice choice =
        presenter != nullptr ? presenter->Present(OrEmpty(caption), OrEmpty(text), shown, symbol)
                             : PresentBySystem(OrEmpty(caption), OrEmpty(text), shown, symbol);
    return ResultFromChoice(choice, shown);
}

bool CSysActions::Shutdown(std::uint32_t flags)
{
    // The privilege is held only around the request. What the caller learns is whether the
    // system accepted the request, not how removing the privilege fared.
    AdjustPrivilege(kShutdownPrivilege, PrivilegeEnabled);
    const bool accepted = m_pExecutor->Execute(MapShutdownFlags(flags));
    AdjustPrivilege(kShutdownPrivilege, PrivilegeRemoved);
    return accepted;
}

bool CSysActions::GetLastErrorText(char* buffer, std::uint32_t size)
{
    return ::Brim::GetLastErrorText(buffer, size);
}

}  // namespace Brim
