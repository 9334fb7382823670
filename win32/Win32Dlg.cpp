#include "win32/Win32Dlg.h"

#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace {

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

CWin32Dlg::CWin32Dlg(HINSTANCE instance) : m_hInstance(instance), m_core(*this, m_prompts)
{
    m_hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
}

INT_PTR CWin32Dlg::DoModal()
{
    const INT_PTR result = DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(IDD_LINTALLY_DIALOG),
                                           nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
    m_core.StopAllWorkers();
    return result;
}

INT_PTR CALLBACK CWin32Dlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        reinterpret_cast<CWin32Dlg*>(lParam)->m_hWnd = window;
    }
    auto* dlg = reinterpret_cast<CWin32Dlg*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return dlg == nullptr ? FALSE : dlg->OnMessage(message, wParam, lParam);
}

INT_PTR CWin32Dlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        OnCommandMessage(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_LST_RESULT && header->code == NM_DBLCLK) {
            m_core.OnDblclkResult();
        }
        return TRUE;
    }
    case WM_HELP:
        m_core.OnCommand(ID_HELP);
        return TRUE;
    case WM_CLOSE:
        if (m_core.OnClose()) {
            ::EndDialog(m_hWnd, IDCANCEL);
        }
        return TRUE;
    case WM_APP_WORKER_REPORTS:
        m_core.OnWorkerReports();
        return TRUE;
    default:
        return FALSE;
    }
}

void CWin32Dlg::OnInitDialog()
{
    m_prompts.SetOwner(m_hWnd);
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // The two forms from the template itself: all of it, or down to the Calculate row.
    RECT client{};
    GetClientRect(m_hWnd, &client);
    m_longFormHeight = client.bottom;
    RECT margin{0, 0, 0, DIALOG_MARGIN_DU};
    MapDialogRect(m_hWnd, &margin);
    int rowBottom = 0;
    for (const int id : {IDC_BTN_MORE, IDC_EDIT_TOTAL, IDC_BTN_CALCULATE}) {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        rowBottom = std::max(rowBottom, static_cast<int>(rect.bottom));
    }
    m_shortFormHeight = rowBottom + margin.bottom;

    HWND list = Item(IDC_LST_RESULT);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    char fileName[] = "File name";
    column.pszText = fileName;
    column.cx = RESULT_NAME_COLUMN_WIDTH;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    char codeLines[] = "Code line(s)";
    column.pszText = codeLines;
    column.cx = RESULT_LINES_COLUMN_WIDTH;
    column.iSubItem = 1;
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    // The columns keep their widths, so the counts stay in view: the list view ends a name
    // too wide for its column with an ellipsis, and its label tip shows the whole name.
    constexpr DWORD listStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, listStyle, listStyle);

    m_hToolTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                                 nullptr, m_hInstance, nullptr);
    SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 400);
    m_core.OnInitDialog();
}

void CWin32Dlg::OnCommandMessage(int id, int code)
{
    if (id == IDC_CB_FILETYPE || id == IDC_CB_DESTINATION) {
        const bool types = id == IDC_CB_FILETYPE;
        if (code == CBN_EDITCHANGE) {
            types ? m_core.OnEditChangeFileType() : m_core.OnEditChangeDestination();
        } else if (code == CBN_SELCHANGE) {
            types ? m_core.OnSelChangeFileType() : m_core.OnSelChangeDestination();
        }
        return;
    }
    // Enter and Escape arrive as IDOK and IDCANCEL; this dialog ends only through its
    // close box and File > Exit.
    if (code == BN_CLICKED || code == 0) {
        m_core.OnCommand(id);
    }
}

std::string CWin32Dlg::GetText(int id) const
{
    HWND item = Item(id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWin32Dlg::SetText(int id, const std::string& text)
{
    SetWindowTextA(Item(id), text.c_str());
}

std::string CWin32Dlg::GetSelectedItemText(int id) const
{
    const LRESULT index = SendDlgItemMessageA(m_hWnd, id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return {};
    }
    const LRESULT length = SendDlgItemMessageA(m_hWnd, id, CB_GETLBTEXTLEN, index, 0);
    std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    SendDlgItemMessageA(m_hWnd, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

void CWin32Dlg::AddComboItem(int id, const std::string& text)
{
    SendDlgItemMessageA(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CWin32Dlg::HasComboItem(int id, const std::string& text) const
{
    return SendDlgItemMessageA(m_hWnd, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text.c_str())) != CB_ERR;
}

void CWin32Dlg::SetEnabled(int id, bool enabled)
{
    EnableWindow(Item(id), enabled ? TRUE : FALSE);
}

void CWin32Dlg::SetShown(int id, bool shown)
{
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

bool CWin32Dlg::IsChecked(int id) const
{
    return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CWin32Dlg::SetChecked(int id, bool checked)
{
    CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CWin32Dlg::SetToolTip(int id, const std::string& text)
{
    // A disabled button gets no mouse messages of its own: the tip is the dialog's, over
    // the control's rectangle, registered once and then only retitled.
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = static_cast<UINT_PTR>(id);
    GetWindowRect(Item(id), &tool.rect);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tool.rect), 2);
    std::string copy = text;
    tool.lpszText = copy.data();
    if (!SendMessageA(m_hToolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) {
        tool.lpszText = copy.data();
        SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    tool.lpszText = copy.data();
    SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CWin32Dlg::SetMenuCheck(int commandId, bool checked)
{
    CheckMenuItem(GetMenu(m_hWnd), static_cast<UINT>(commandId),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void CWin32Dlg::InsertRow(int index, const lintally::scan::Row& row)
{
    HWND list = Item(IDC_LST_RESULT);
    std::string name = row.name;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = name.data();
    const auto at =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    std::string lines = std::to_string(row.lines);
    item.iSubItem = 1;
    item.pszText = lines.data();
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
}

void CWin32Dlg::DeleteAllRows()
{
    SendDlgItemMessageA(m_hWnd, IDC_LST_RESULT, LVM_DELETEALLITEMS, 0, 0);
}

std::vector<int> CWin32Dlg::GetSelectedRows() const
{
    std::vector<int> rows;
    HWND list = Item(IDC_LST_RESULT);
    int index = -1;
    while ((index = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                                  LVNI_SELECTED))) >= 0) {
        rows.push_back(index);
    }
    return rows;
}

void CWin32Dlg::SetForm(Form form)
{
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    // The frame, caption and menu bar stay as they are; only the client area changes.
    const int frame = (window.bottom - window.top) - client.bottom;
    const int height = frame + (form == Form::Long ? m_longFormHeight : m_shortFormHeight);
    SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWin32Dlg::ShowAbout()
{
    DialogBoxParamA(m_hInstance, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_hWnd, AboutProc, 0);
}

void CWin32Dlg::EndDialog()
{
    ::EndDialog(m_hWnd, IDCANCEL);
}

void CWin32Dlg::PostWorkerReports()
{
    // Posted, never sent: the worker goes on at once.
    PostMessageA(m_hWnd, WM_APP_WORKER_REPORTS, 0, 0);
}
