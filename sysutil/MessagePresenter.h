// Brim::IMessagePresenter: the seam through which ShowMessage shows a message box.
//
// The system actions know no toolkit: the program installs a presenter (the dialog installs
// one built on QMessageBox) and ShowMessage hands it the caption, the text and the decoded
// button set and icon; with none installed, PresentBySystem shows the message the system's
// own way. The numeric codes of ShowMessage and of the Windows message box are decoded and
// encoded here.
// The installer keeps ownership of its presenter and must keep it alive while installed.
// Installing is safe from any thread; the presenter is called on the thread that calls
// ShowMessage, so a toolkit presenter must only be used from that toolkit's thread.
#pragma once

#include <cstdint>

namespace Brim {

enum class MessageButtons
{
    Ok,
    OkCancel,
    RetryCancel,
    YesNo,
    YesNoCancel
};
enum class MessageIcon
{
    None,
    Information,
    Error,
    Question
};
// The button the user chose; None when the box was closed without a choice.
enum class MessageChoice
{
    None,
    Ok,
    Yes,
    No,
    Cancel,
    Retry
};

// ShowMessage's result codes.
constexpr std::int32_t MessageResultNone = 0;
constexpr std::int32_t MessageResultOk = 1;
constexpr std::int32_t MessageResultYes = 2;
constexpr std::int32_t MessageResultNo = 3;
constexpr std::int32_t MessageResultCancel = 4;
constexpr std::int32_t MessageResultRetry = 5;

class IMessagePresenter
{
public:
    // Shows the message modally and returns the chosen button. Texts are never null.
    virtual MessageChoice Present(const char* caption, const char* text, MessageButtons buttons,
                                  MessageIcon icon) = 0;

protected:
    ~IMessagePresenter() = default;
};

// Installs presenter (null removes it) and returns the one installed before.
IMessagePresenter* InstallMessagePresenter(IMessagePresenter* presenter);
// The presenter installed now, or null.
[[nodiscard]] IMessagePresenter* GetMessagePresenter();

// Button codes: 1 OK, 2 OK and Cancel, 3 Retry and Cancel, 4 Yes and No,
// 5 Yes, No and Cancel; any other code gives OK.
[[nodiscard]] MessageButtons ButtonsFromCode(std::uint32_t code);
// Icon codes: 1 information, 2 error, 3 question; any other code gives no icon.
[[nodiscard]] MessageIcon IconFromCode(std::uint32_t code);
// The result code of a choice: OK 1, Yes 2, No 3, Cancel 4, Retry 5. A box closed without a
// choice, or a choice that was not among the buttons shown, gives MessageResultNone.
[[nodiscard]] std::int32_t ResultFromChoice(MessageChoice choice, MessageButtons buttons);

// Shows a message without an installed presenter: on Windows a message box without owner
// (MessageBoxA), which returns the button chosen; on POSIX systems the caption and text go to
// standard error as one line and the choice is None. Texts are never null.
MessageChoice PresentBySystem(const char* caption, const char* text, MessageButtons buttons,
                              MessageIcon icon);

// The MessageBoxA style of a button set and icon: MB_OK 0, MB_OKCANCEL 1, MB_YESNOCANCEL 3,
// MB_YESNO 4, MB_RETRYCANCEL 5, plus MB_ICONERROR 0x10, MB_ICONQUESTION 0x20 or
// MB_ICONINFORMATION 0x40.
[[nodiscard]] std::uint32_t MessageBoxStyle(MessageButtons buttons, MessageIcon icon);
// The choice of a MessageBoxA result: IDOK 1, IDCANCEL 2, IDRETRY 4, IDYES 6, IDNO 7; any other
// value (0 when no box could be shown) gives None.
[[nodiscard]] MessageChoice ChoiceFromMessageBoxResult(std::int32_t result);

}  // namespace Brim
