// Drives a running lintally.exe from outside, as a user would, through Windows messages
// only: finds the window by its title, checks the short form, types a folder, presses
// Calculate, waits for the total and saves the report through the save dialog.
//
// Usage: wine_smoke_probe <folder> <report-file>   (drive the scan and the save)
//        wine_smoke_probe --close                   (close the window; no scan runs, so
//                                                    no question comes)
// Exit status: 0 passed; 1 failed, with one line on standard error saying what.
#include "dialog/ControlIds.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool Fail(const char* what)
{
    std::fprintf(stderr, "FAIL: %s\n", what);
    return false;
}

// Runs check every 50 ms for at most a minute; true as soon as it holds.
template <typename Check>
bool WaitFor(Check check)
{
    for (int i = 0; i < 1200; ++i) {
        if (check()) {
            return true;
        }
        Sleep(50);
    }
    return false;
}

std::string Text(HWND window)
{
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

RECT ClientRectOf(HWND dialog, int id)
{
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void Command(HWND dialog, int id, int code)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Run(const char* folder, const char* report)
{
    HWND dialog = nullptr;
    if (!WaitFor([&] {
            return (dialog = FindWindowA(nullptr, "Lintally")) != nullptr &&
                   IsWindowVisible(dialog);
        })) {
        return Fail("no visible window titled Lintally");
    }
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT calculate = ClientRectOf(dialog, IDC_BTN_CALCULATE);
    const RECT list = ClientRectOf(dialog, IDC_LST_RESULT);
    std::printf("short form: client height %ld, Calculate row ends at %ld, list starts at %ld\n",
                client.bottom, calculate.bottom, list.top);
    if (calculate.bottom > client.bottom || list.top < client.bottom) {
        return Fail("the short form does not end between the Calculate row and the list");
    }

    SetDlgItemTextA(dialog, IDC_CB_FILETYPE, "*.c,*.h");
    Command(dialog, IDC_CB_FILETYPE, CBN_EDITCHANGE);
    SetDlgItemTextA(dialog, IDC_CB_DESTINATION, folder);
    Command(dialog, IDC_CB_DESTINATION, CBN_EDITCHANGE);
    HWND button = GetDlgItem(dialog, IDC_BTN_CALCULATE);
    if (!WaitFor([&] { return IsWindowEnabled(button) != FALSE; })) {
        return Fail("Calculate stays disabled for the typed folder");
    }
    Command(dialog, IDC_BTN_CALCULATE, BN_CLICKED);
    HWND root = GetDlgItem(dialog, IDC_EDIT_ROOT);
    if (!WaitFor([&] { return !Text(root).empty() && Text(button) == "&Calculate"; })) {
        return Fail("the scan did not end");
    }
    std::printf("total: %s\n", Text(GetDlgItem(dialog, IDC_EDIT_TOTAL)).c_str());
    Command(dialog, IDC_BTN_MORE, BN_CLICKED);

    Command(dialog, IDC_BTN_SAVE, BN_CLICKED);
    HWND chooser = nullptr;
    if (!WaitFor([&] { return (chooser = FindWindowA(nullptr, "Save to file...")) != nullptr; })) {
        return Fail("no save dialog titled \"Save to file...\"");
    }
    // The file-name box of the Explorer-style chooser (cmb13), or of the old style (edt1).
    constexpr int kFileNameCombo = 0x47c;
    constexpr int kFileNameEdit = 0x480;
    if (!SetDlgItemTextA(chooser, kFileNameCombo, report) &&
        !SetDlgItemTextA(chooser, kFileNameEdit, report)) {
        return Fail("the save dialog has no file-name box");
    }
    PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!WaitFor([&] {
            return GetFileAttributesA(report) != INVALID_FILE_ATTRIBUTES && !IsWindow(chooser);
        })) {
        return Fail("the report was not saved");
    }
    return true;
}

}  // namespace

bool Close()
{
    HWND dialog = FindWindowA(nullptr, "Lintally");
    if (dialog == nullptr) {
        return Fail("no window titled Lintally to close");
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return WaitFor([&] { return !IsWindow(dialog); }) || Fail("the window did not close");
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--close") {
        return Close() ? 0 : 1;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: wine_smoke_probe <folder> <report-file>\n");
        return 2;
    }
    return Run(argv[1], argv[2]) ? 0 : 1;
}
