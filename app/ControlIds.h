// Numeric ids of the main dialog's controls, of its menu commands and of its resources.
// Tests and handlers address controls by these ids (see CLintallyDlg::GetDlgItem).
//
// Constants only; any thread may read them.
#pragma once

// Resources.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_LINTALLY_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_MAINMENU = 129;

// Controls of the main dialog.
constexpr int IDC_CB_FILETYPE = 1002;
constexpr int IDC_BTN_BROWSE = 1004;
constexpr int IDC_EDIT_TOTAL = 1005;
constexpr int IDC_BTN_CALCULATE = 1006;
constexpr int IDC_CHK_INCLUDE_REMED = 1007;
constexpr int IDC_CHK_INCLUDE_SUB = 1008;
constexpr int IDC_LST_RESULT = 1009;
constexpr int IDC_BTN_MORE = 1010;
constexpr int IDC_BTN_SAVE = 1011;
constexpr int IDC_STATIC_ROOT = 1013;
constexpr int IDC_EDIT_ROOT = 1014;
constexpr int IDC_CHK_EXCLUDE_BLANK = 1015;
constexpr int IDC_CB_DESTINATION = 1016;

// OK button of the About box.
constexpr int IDOK = 1;

// Menu commands.
constexpr int IDM_ABOUTBOX = 16;
constexpr int ID_FILE_EXIT = 130;
constexpr int ID_HELP_ABOUT = 131;
constexpr int ID_FILE_SELECTFOLDER = 132;
constexpr int ID_FILE_OPENFOLDER = 134;
constexpr int ID_LINEBREAK_CR = 32774;
constexpr int ID_LINEBREAK_CRLF = 32775;
// Help (F1), a command of the application rather than of a menu item.
constexpr int ID_HELP = 0xE146;
