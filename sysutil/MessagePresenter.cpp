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

} // namespace

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

} // namespace Brim
