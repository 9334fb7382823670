#include "sysutil/MessagePresenter.h"

#include <windows.h>

namespace Brim {

static_assert(MB_OK == 0 && MB_OKCANCEL == 1 && MB_YESNOCANCEL == 3 && MB_YESNO == 4 &&
                  MB_RETRYCANCEL == 5,
              "MessageBoxStyle writes the system's own button values");
static_assert(MB_ICONERROR == 0x10 && MB_ICONQUESTION == 0x20 && MB_ICONINFORMATION == 0x40,
              "MessageBoxStyle writes the system's own icon values");
static_assert(IDOK == 1 && IDCANCEL == 2 && IDRETRY == 4 && IDYES == 6 && IDNO == 7,
              "ChoiceFromMessageBoxResult reads the system's own result values");

MessageChoice PresentBySystem(const char* caption, const char* text, MessageButtons buttons,
                              MessageIcon icon)
{
    return ChoiceFromMessageBoxResult(
        ::MessageBoxA(nullptr, text, caption, MessageBoxStyle(buttons, icon)));
}

}  // namespace Brim
