// FakeView: the dialog core's view as plain data per control id, as a window would show it:
// texts, check marks, states, tips, combo lists, the list's rows and the form. Reports
// posted by a worker only raise a flag; the harness delivers them on the test's thread.
#pragma once

#include "dialog/DialogView.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeView final : public IDialogView
{
public:
    struct Control
    {
        std::string text;
        bool enabled = true;
        bool shown = true;
        bool checked = false;
        std::string toolTip;
        std::vector<std::string> items;
        int selected = -1;
    };

    std::string GetText(int id) const override { return Get(id).text; }
    void SetText(int id, const std::string& text) override
    {
        controls[id].text = text;
        if (onSetText) {
            onSetText(id, text);
        }
    }
    std::string GetSelectedItemText(int id) const override
    {
        const Control& control = Get(id);
        return control.selected < 0 ? std::string()
                                    : control.items[static_cast<std::size_t>(control.selected)];
    }
    void AddComboItem(int id, const std::string& text) override
    {
        controls[id].items.push_back(text);
    }
    bool HasComboItem(int id, const std::string& text) const override;
    void SetEnabled(int id, bool enabled) override { controls[id].enabled = enabled; }
    void SetShown(int id, bool shown) override { controls[id].shown = shown; }
    bool IsChecked(int id) const override { return Get(id).checked; }
    void SetChecked(int id, bool checked) override { controls[id].checked = checked; }
    void SetToolTip(int id, const std::string& text) override { controls[id].toolTip = text; }
    void SetMenuCheck(int commandId, bool checked) override { menuChecks[commandId] = checked; }
    void InsertRow(int index, const lintally::scan::Row& row) override
    {
        rows.insert(rows.begin() + index, row.name);
    }
    void DeleteAllRows() override { rows.clear(); }
    std::vector<int> GetSelectedRows() const override { return selectedRows; }
    void SetForm(Form shown) override { form = shown; }
    void ShowAbout() override { ++aboutShown; }
    void EndDialog() override { ended = true; }
    void PostWorkerReports() override { posted.store(true); }

    [[nodiscard]] const Control& Get(int id) const;

    std::function<void(int, const std::string&)> onSetText;  // after a text is set
    std::map<int, Control> controls;
    std::map<int, bool> menuChecks;
    std::vector<std::string> rows;  // names, as the list shows them
    std::vector<int> selectedRows;
    Form form = Form::Long;
    int aboutShown = 0;
    bool ended = false;
    std::atomic<bool> posted{false};
};
