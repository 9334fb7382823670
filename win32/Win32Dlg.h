// CWin32Dlg: Lintally's main dialog as a plain Win32 dialog box built from resource
// template 102 (lintally.rc). It shows what the dialog core asks of its view, by control
// id, and forwards its controls' notifications and menu commands to the core's handlers.
// Worker reports arrive as a posted message (WM_APP_WORKER_REPORTS); a worker never waits
// for the window.
//
// UI thread only, except PostWorkerReports.
#pragma once

#include "dialog/DialogView.h"
#include "dialog/LintallyDlgCore.h"
#include "win32/Win32Prompts.h"

#include <windows.h>

class CWin32Dlg final : private IDialogView
{
public:
    explicit CWin32Dlg(HINSTANCE instance);
    CWin32Dlg(const CWin32Dlg&) = delete;
    CWin32Dlg& operator=(const CWin32Dlg&) = delete;

    // Shows the dialog modally until it ends; every scan is stopped on return.
    INT_PTR DoModal();

private:
    static constexpr UINT WM_APP_WORKER_REPORTS = WM_APP + 1;

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommandMessage(int id, int code);
    [[nodiscard]] HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }

    // IDialogView.
    std::string GetText(int id) const override;
    void SetText(int id, const std::string& text) override;
    std::string GetSelectedItemText(int id) const override;
    void AddComboItem(int id, const std::string& text) override;
    bool HasComboItem(int id, const std::string& text) const override;
    void SetEnabled(int id, bool enabled) override;
    void SetShown(int id, bool shown) override;
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void SetToolTip(int id, const std::string& text) override;
    void SetMenuCheck(int commandId, bool checked) override;
    void InsertRow(int index, const lintally::scan::Row& row) override;
    void DeleteAllRows() override;
    std::vector<int> GetSelectedRows() const override;
    void SetForm(Form form) override;
    void ShowAbout() override;
    void EndDialog() override;
    void PostWorkerReports() override;

    HINSTANCE m_hInstance;
    HWND m_hWnd = nullptr;
    HWND m_hToolTip = nullptr;
    HICON m_hIcon = nullptr;
    int m_longFormHeight = 0;   // client pixels of the whole template
    int m_shortFormHeight = 0;  // client pixels down to one margin below the Calculate row
    CWin32Prompts m_prompts;
    // Last: destroyed (its scans stopped) first.
    CLintallyDlgCore m_core;
};
