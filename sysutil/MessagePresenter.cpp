#include "sysutil/MessagePresenter.h"

#include <atomic>

namespace Brim {

namespace {

std::atomic<IMessagePresenter*> g_presenter{nullptr};

bool Offers(MessageButtons buttons, MessageChoice choice)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return choice == MessageChoice::Ok;
    case MessageButtons::OkCancel:
        return choice == MessageChoice::Ok || choice == MessageChoice::Cancel;
    case MessageButtons::RetryCancel:
        return choice == MessageChoice::Retry || choice == MessageChoice::Cancel;
    case MessageButtons::YesNo:
        return choice == MessageChoice::Yes || choice == MessageChoice::No;
    case MessageButtons::YesNoCancel:
        return choice == MessageChoice::Yes || choice == MessageChoice::No ||
               choice == MessageChoice::Cancel;
    }
    return false;
}

}  // namespace

IMessagePresenter* InstallMessagePresenter(IMessagePresenter* presenter)
{
    return g_presenter.exchange(presenter);
}

IMessagePresenter* GetMessagePresenter()
{
    return g_presenter.load();
}

MessageButtons ButtonsFromCode(std::uint32_t code)
{
    switch (code) {
    case 2:
        return MessageButtons::OkCancel;
    case 3:
        return MessageButtons::RetryCancel;
    case 4:
        return MessageButtons::YesNo;
    case 5:
        return MessageButtons::YesNoCancel;
    default:
        return MessageButtons::Ok;
    }
}

MessageIcon IconFromCode(std::uint32_t code)
{
    switch (code) {
    case 1:
        return MessageIcon::Information;
    case 2:
        return MessageIcon::Error;
    case 3:
        return MessageIcon::Question;
    default:
        return MessageIcon::None;
    }
}

std::int32_t ResultFromChoice(MessageChoice choice, MessageButtons buttons)
{
    if (!Offers(buttons, choice)) {
        return MessageResultNone;
    }
    switch (choice) {
    case MessageChoice::Ok:
        return MessageResultOk;
    case MessageChoice::Yes:
        return MessageResultYes;
    case MessageChoice::No:
        return MessageResultNo;
    case MessageChoice::Cancel:
        return MessageResultCancel;
    case MessageChoice::Retry:
        return MessageResultRetry;
    case MessageChoice::None:
        break;
    }
    return MessageResultNone;
}

std::uint32_t MessageBoxStyle(MessageButtons buttons, MessageIcon icon)
{
    std::uint32_t style = 0;
    switch (buttons) {
    case MessageButtons::Ok:
        style = 0x0;
        break;
    case MessageButtons::OkCancel:
        style = 0x1;
        break;
    case MessageButtons::YesNoCancel:
        style = 0x3;
        break;
    case MessageButtons::YesNo:
        style = 0x4;
        break;
    case MessageButtons::RetryCancel:
        style = 0x5;
        break;
    }
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Error:
        style |= 0x10;
        break;
    case MessageIcon::Question:
        style |= 0x20;
        break;
    case MessageIcon::Information:
        style |= 0x40;
        break;
    }
    return style;
}

MessageChoice ChoiceFromMessageBoxResult(std::int32_t result)
{
    switch (result) {
    case 1:
        return MessageChoice::Ok;
    case 2:
        return MessageChoice::Cancel;
    case 4:
        return MessageChoice::Retry;
    case 6:
        return MessageChoice::Yes;
    case 7:
        return MessageChoice::No;
    default:
        return MessageChoice::None;
    }
}

}  // namespace Brim
