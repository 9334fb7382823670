// Numeric ids of the main dialog's controls, of its menu commands and of its resources.
// Tests and handlers address controls by these ids (see CLintallyDlg::GetDlgItem).
// Preprocessor lines only: the Windows resource script (win32/lintally.rc) reads them too.
//
// Constants only; any thread may read them.
#pragma once

// Resources.
#define IDD_ABOUTBOX 100
#define IDD_LINTALLY_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_MAINMENU 129

// Static controls (group boxes, labels) have no id of their own.
#define IDC_STATIC (-1)

// Controls of the main dialog.
#define IDC_CB_FILETYPE 1002
#define IDC_BTN_BROWSE 1004
#define IDC_EDIT_TOTAL 1005
#define IDC_BTN_CALCULATE 1006
#define IDC_CHK_INCLUDE_REMED 1007
#define IDC_CHK_INCLUDE_SUB 1008
#define IDC_LST_RESULT 1009
#define IDC_BTN_MORE 1010
#define IDC_BTN_SAVE 1011
#define IDC_STATIC_ROOT 1013
#define IDC_EDIT_ROOT 1014
#define IDC_CHK_EXCLUDE_BLANK 1015
#define IDC_CB_DESTINATION 1016

// OK button of the About box (windows.h has the same id).
#ifndef IDOK
#define IDOK 1
#endif

// Menu commands.
#define IDM_ABOUTBOX 16
#define ID_FILE_EXIT 130
#define ID_HELP_ABOUT 131
#define ID_FILE_SELECTFOLDER 132
#define ID_FILE_OPENFOLDER 134
#define ID_LINEBREAK_CR 32774
#define ID_LINEBREAK_CRLF 32775
// Help (F1), a command of the application rather than of a menu item.
#define ID_HELP 0xE146
