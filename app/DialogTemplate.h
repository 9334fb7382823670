// The dialog templates as data: the main dialog's controls with their ids, captions and
// dialog-unit rectangles (from dialog/DialogLayout.h, shared with the Windows resource
// script), its menu, and the About box. The presets of its two combo boxes are shared with
// the command line (scan/Presets.h).
// Dialog units map to pixels at 6 by 13 pixel base units (x: du * 6 / 4, y: du * 13 / 8).
// The Create* helpers build Qt widgets from these tables; the caller's parent owns them.
//
// The tables are constants; the Create* helpers run on the UI thread.
#pragma once

#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"

#include <QFont>
#include <QRect>

class QMenuBar;
class QWidget;

struct DuRect
{
    int x, y, w, h;
};

[[nodiscard]] constexpr int DuToPixelsX(int du)
{
    return du * 6 / 4;
}
[[nodiscard]] constexpr int DuToPixelsY(int du)
{
    return du * 13 / 8;
}
[[nodiscard]] QRect DuToPixels(const DuRect& rect);

// The kinds dialog/DialogLayout.h names.
enum class ControlKind
{
    GroupBox,
    Label,
    Icon,
    ComboBox,
    PushButton,
    DefPushButton,
    CheckBox,
    Edit,
    ReadOnlyEdit,
    TotalEdit,
    ListView
};

struct ControlTemplate
{
    int id;
    ControlKind kind;
    const char* caption;
    DuRect rect;
    const char* objectName;
};

// A closed drop-down combo box is one edit row high; the template's height includes the list.
inline constexpr int kComboClosedHeightDu = 13;

extern const ControlTemplate kMainDialogControls[19];

// The rectangle a control takes on screen: a drop-down combo box shows closed.
[[nodiscard]] DuRect ShownRectDu(const ControlTemplate& control);
// Heights of the two forms below the menu bar, in dialog units, derived from the control
// table: the short form ends one margin below the lowest control of the Calculate button's
// row, the long form is the whole template (one margin below the Save button). The window
// manager's frame comes on top of these; it is never part of them.
[[nodiscard]] int ShortFormHeightDu();
[[nodiscard]] constexpr int LongFormHeightDu()
{
    return MAIN_DIALOG_HEIGHT_DU;
}

struct MenuItemTemplate
{
    const char* menu;     // top-level menu
    const char* submenu;  // null, or the sub-menu the item sits in
    const char* text;     // null for a separator
    int commandId;
    bool checked;
    const char* prompt;  // null, or the command's prompt string, kept as its status tip
};

extern const MenuItemTemplate kMainMenu[7];

extern const ControlTemplate kAboutControls[4];

// The dialog font: the application's font at the largest pixel size (at most 11, the
// designed 8 points at 96 dpi) whose average character width fits the 6-pixel base unit.
[[nodiscard]] QFont DialogFont(const QFont& base);

// Builds one control from its template, parented to parent, with its object name, its
// numeric id in the "controlId" property and its pixel geometry.
QWidget* CreateControl(const ControlTemplate& control, QWidget* parent);

// Widens each label and check box of parent to its text where the template is too narrow
// for this font, never into the next control to its right nor past parent's width.
void FitCaptions(QWidget* parent, int width);

// Builds the main menu; every action carries its command id in the "commandId" property,
// and the line-break items form an exclusive, checkable group.
QMenuBar* CreateMainMenu(QWidget* parent);
