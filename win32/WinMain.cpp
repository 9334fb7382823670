// Lintally's desktop dialog for Windows. It takes no command-line arguments of its own.
#include "win32/Win32Dlg.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The folder browser needs COM on this thread.
    const HRESULT com = CoInitialize(nullptr);
    {
        CWin32Dlg dialog(instance);
        dialog.DoModal();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return 0;
}
