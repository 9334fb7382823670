// DialogHarness: a real main dialog on a temporary folder, with fake prompts, and the few
// steps the tests take through its controls (typing into a box, clicking, waiting for the
// scan to end while the event loop runs).
#pragma once

#include "app/LintallyDlg.h"
#include "tests/dialog/FakePrompts.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;

class DialogHarness
{
public:
    DialogHarness();
    ~DialogHarness();

    // Creates a file under the temporary root (folders on the way are made).
    void WriteFile(const std::string& relativePath, const std::string& content) const;
    [[nodiscard]] std::string Root() const;

    // Replaces the text of a combo box as typing does.
    void Type(int comboId, const QString& text);
    void Click(int buttonId);
    [[nodiscard]] QString Text(int controlId) const;
    // Starts a scan of the root with the given type list and waits for its end.
    void Scan(const QString& typeList);
    // Runs the event loop until done() holds or the time is up; returns done().
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
    bool WaitForScanEnd(int timeoutMs = 30000);

    FakePrompts prompts;
    lintally::testing::TempFolder folder;
    std::unique_ptr<CLintallyDlg> dialog;
};
