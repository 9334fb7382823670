// CLintallyDlg: Lintally's main dialog as a Qt window. It builds the controls from the
// template tables (DialogTemplate.h), addresses them by their numeric ids through
// GetDlgItem, shows what the dialog core (dialog/LintallyDlgCore.h) asks of its view and
// forwards every notification of its controls to the core's handlers. The state, the
// handlers and the scan live in the core; this class holds what is Qt's alone: widgets,
// geometry, the result list's model, keys and the pace of repaints during a scan.
//
// UI thread only, except PostWorkerReports. The destructor stops every scan and waits for it.
#pragma once

#include "dialog/DialogView.h"
#include "dialog/LintallyDlgCore.h"
#include "dialog/Prompts.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>

class CResultModel;
class QAction;
class QTableView;
class QTimer;

class CLintallyDlg final : public QDialog, private IDialogView
{
    Q_OBJECT

public:
    explicit CLintallyDlg(IPrompts& prompts, QWidget* parent = nullptr);
    ~CLintallyDlg() override;

    // The control with the given id (1002 to 1016), or null.
    [[nodiscard]] QWidget* GetDlgItem(int id) const;
    // The menu item with the given command id, or null.
    [[nodiscard]] QAction* GetMenuItem(int commandId) const;
    [[nodiscard]] const CResultModel& GetResultModel() const { return *m_pResultModel; }
    [[nodiscard]] CLintallyDlgCore& Core() { return m_core; }
    [[nodiscard]] bool IsScanning() const { return m_core.IsScanning(); }

protected:
    bool PreTranslateMessage(QObject* target, QEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
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

    // The UI thread's end of PostWorkerReports.
    Q_SLOT void TakeWorkerReports();

    void CreateControls();
    void ConnectControls();

    QIcon m_hIcon;
    class QMenuBar* m_pMenuBar = nullptr;
    QWidget* m_pClient = nullptr;
    QTableView* m_lstResult = nullptr;
    CResultModel* m_pResultModel = nullptr;
    // While a scan reports an entry every millisecond, the window repaints at a steady
    // rate instead of after every entry (see event()).
    QElapsedTimer m_lastRepaint;
    QTimer* m_pRepaintTimer = nullptr;
    // Last: built when every widget exists, destroyed (its scans stopped) first.
    CLintallyDlgCore m_core;
};
