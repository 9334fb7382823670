// CoreHarness: the dialog core over a fake view and fake prompts on a temporary folder, and
// the steps a user takes through the controls (typing into a box, picking an item,
// clicking, waiting for the scan while its reports are delivered as a window would).
#pragma once

#include "FakePrompts.h"
#include "FakeView.h"
#include "dialog/LintallyDlgCore.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// path with '/' as this system's separator, as the dialog shows and passes on paths.
[[nodiscard]] std::string Native(std::string path);

class CoreHarness
{
public:
    CoreHarness();
    ~CoreHarness();

    // Creates a file under the temporary root (folders on the way are made).
    void WriteFile(const std::string& relativePath, const std::string& content) const;
    void MakeFolder(const std::string& relativePath) const;
    // Writes count files "f0000.c", ... of one line each.
    void WriteManyFiles(int count) const;
    [[nodiscard]] std::string Root() const;

    // Replaces the text of a combo box as typing does.
    void Type(int comboId, const std::string& text);
    // Picks the combo box's item at index from its list.
    void Pick(int comboId, int index);
    // A button, a check box (its mark toggles) or a menu command; nothing when disabled.
    void Click(int id);
    [[nodiscard]] std::string Text(int controlId) const { return view.GetText(controlId); }
    [[nodiscard]] bool Enabled(int controlId) const { return view.Get(controlId).enabled; }
    // Starts a scan of the root with the given type list and waits for its end.
    void Scan(const std::string& typeList);
    // Delivers posted reports until done() holds or the time is up; returns done().
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
    bool WaitForScanEnd(int timeoutMs = 30000);
    bool WaitForRows(int rows, int timeoutMs = 30000);
    // The rows' names top to bottom, with '/' between folders on every system.
    [[nodiscard]] std::vector<std::string> RowNames() const;
    [[nodiscard]] int RowCount() const { return dialog->GetRows().Count(); }

    FakePrompts prompts;
    FakeView view;
    lintally::testing::TempFolder folder;
    std::unique_ptr<CLintallyDlgCore> dialog;
};
