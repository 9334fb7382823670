// The dialogs as templates: captions, sizes in dialog units and each control in tab order.
// The Qt views build their widgets from these lines (app/DialogTemplate.cpp) and the
// Windows resource script builds its dialogs from the same lines (win32/lintally.rc), so
// both show the same form. Preprocessor lines only, for the resource compiler.
//
// Each control is one CONTROL(id, kind, caption, x, y, width, height, name) line: kind names
// a ControlKind of app/DialogTemplate.h, which the resource script maps to its statement;
// name is the Qt widget's object name. The lines continue one macro: comments go above it.
//
// Constants only; any thread may read them.
#pragma once

#include "dialog/ControlIds.h"

// The main dialog's title, also the caption of its error messages.
#define MAIN_DIALOG_CAPTION "Lintally"
#define MAIN_DIALOG_WIDTH_DU 267
#define MAIN_DIALOG_HEIGHT_DU 231

// clang-format off
#define MAIN_DIALOG_CONTROLS(CONTROL) \
    CONTROL(IDC_STATIC, GroupBox, "File Type", 5, 5, 257, 47, "grpFileType") \
    CONTROL(IDC_STATIC, Label, "File type list:", 12, 17, 42, 8, "lblFileType") \
    CONTROL(IDC_CB_FILETYPE, ComboBox, "", 12, 28, 243, 73, "cbFileType") \
    CONTROL(IDC_STATIC, GroupBox, "Search Folder", 5, 56, 257, 48, "grpSearchFolder") \
    CONTROL(IDC_STATIC, Label, "Destination:", 14, 72, 40, 8, "lblDestination") \
    CONTROL(IDC_CB_DESTINATION, ComboBox, "", 56, 70, 155, 99, "cbDestination") \
    CONTROL(IDC_BTN_BROWSE, PushButton, "&Browse", 215, 70, 39, 13, "btnBrowse") \
    CONTROL(IDC_CHK_INCLUDE_SUB, CheckBox, "Include sub-folders.", 14, 89, 80, 10, "chkIncludeSub") \
    CONTROL(IDC_CHK_INCLUDE_REMED, CheckBox, "Include remed line.", 97, 89, 77, 10, "chkIncludeRemed") \
    CONTROL(IDC_CHK_EXCLUDE_BLANK, CheckBox, "Exclude blank line(s).", 175, 89, 83, 10, "chkExcludeBlank") \
    CONTROL(IDC_BTN_MORE, PushButton, "&More", 5, 110, 50, 14, "btnMore") \
    CONTROL(IDC_STATIC, Label, "Total", 77, 114, 19, 8, "lblTotal") \
    CONTROL(IDC_EDIT_TOTAL, TotalEdit, "", 101, 111, 54, 12, "editTotal") \
    CONTROL(IDC_STATIC, Label, "Lines.", 162, 114, 22, 8, "lblLines") \
    CONTROL(IDC_BTN_CALCULATE, PushButton, "&Calculate", 215, 110, 40, 13, "btnCalculate") \
    CONTROL(IDC_LST_RESULT, ListView, "", 5, 133, 257, 75, "lstResult") \
    CONTROL(IDC_STATIC_ROOT, Label, "Root folder:", 5, 215, 39, 10, "lblRoot") \
    CONTROL(IDC_EDIT_ROOT, ReadOnlyEdit, "", 49, 215, 151, 11, "editRoot") \
    CONTROL(IDC_BTN_SAVE, PushButton, "&Save", 212, 212, 50, 14, "btnSave")
// clang-format on

// The margin the main dialog keeps between its edge and the nearest control.
#define DIALOG_MARGIN_DU 5

// Widths in pixels of the result list's two columns.
#define RESULT_NAME_COLUMN_WIDTH 273
#define RESULT_LINES_COLUMN_WIDTH 90

#define ABOUT_BOX_CAPTION "About Lintally"
#define ABOUT_BOX_WIDTH_DU 206
#define ABOUT_BOX_HEIGHT_DU 55

// Lintally has no web address to publish, so the last label stays empty.
// clang-format off
#define ABOUT_BOX_CONTROLS(CONTROL) \
    CONTROL(IDC_STATIC, Icon, "", 11, 17, 21, 20, "iconAbout") \
    CONTROL(IDC_STATIC, Label, "Lintally Version 1.0", 40, 10, 119, 8, "lblVersion") \
    CONTROL(IDOK, DefPushButton, "OK", 149, 14, 50, 16, "btnOk") \
    CONTROL(IDC_STATIC, Label, "", 40, 28, 103, 8, "lblWebAddress")
// clang-format on
