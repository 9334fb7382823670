// IDialogView: what the dialog core needs of a window, addressed by control id (ControlIds.h).
// Each toolkit's view implements it over its own controls; the core decides what they show.
// Texts are UTF-8 (paths: the bytes the file system takes).
//
// UI thread only, except PostWorkerReports.
#pragma once

#include "scan/Row.h"

#include <string>
#include <vector>

class IDialogView
{
public:
    enum class Form
    {
        Short,
        Long
    };

    virtual ~IDialogView() = default;

    // The text of an edit, a combo box's edit field, a button's caption.
    [[nodiscard]] virtual std::string GetText(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    // The text of the item a combo box's list has selected (during a selection change the
    // edit field may still show the old one).
    [[nodiscard]] virtual std::string GetSelectedItemText(int id) const = 0;
    virtual void AddComboItem(int id, const std::string& text) = 0;
    // True when the combo box lists text (ASCII case ignored).
    [[nodiscard]] virtual bool HasComboItem(int id, const std::string& text) const = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;
    virtual void SetShown(int id, bool shown) = 0;
    [[nodiscard]] virtual bool IsChecked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    // Why a control is as it is (empty: no tip).
    virtual void SetToolTip(int id, const std::string& text) = 0;
    virtual void SetMenuCheck(int commandId, bool checked) = 0;

    // The result list: the core holds the rows; the view shows row index just inserted.
    virtual void InsertRow(int index, const lintally::scan::Row& row) = 0;
    virtual void DeleteAllRows() = 0;
    // Indexes of the selected rows, in any order.
    [[nodiscard]] virtual std::vector<int> GetSelectedRows() const = 0;

    virtual void SetForm(Form form) = 0;
    virtual void ShowAbout() = 0;
    // Closes the window; the core has already stopped its scans.
    virtual void EndDialog() = 0;

    // Any thread: asks the UI thread to call CLintallyDlgCore::OnWorkerReports soon. Never
    // waits for the UI thread.
    virtual void PostWorkerReports() = 0;
};
