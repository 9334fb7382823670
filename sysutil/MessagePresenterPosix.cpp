#include "sysutil/MessagePresenter.h"

#include <cstdio>

namespace Brim {

MessageChoice PresentBySystem(const char* caption, const char* text, MessageButtons buttons,
                              MessageIcon icon)
{
    // No toolkit is known here, so nobody can answer: the message is only reported.
    static_cast<void>(buttons);
    static_cast<void>(icon);
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return MessageChoice::None;
}

}  // namespace Brim
