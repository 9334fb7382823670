// CLintallyDlg: Lintally's main dialog. It owns every control, the user's choices, the
// pattern list, the running total and the scan workers, and keeps the handler names of its
// design (OnCalculate, OnSave, OnBrowse, ...). The walk, the filter, the count and the
// report come from scan/; the members below call into it.
//
// Controls are built from the template tables (DialogTemplate.h) and addressed by their
// numeric ids through GetDlgItem. Every modal question and chooser goes through the
// IPrompts given to the constructor, which must outlive the dialog.
//
// UI thread only, except the members marked "worker thread": those run on a scan worker's
// thread and read only that worker's inputs and the atomic scan options. The destructor
// stops every worker and waits for it, delivering its pending reports.
#pragma once

#include "app/Prompts.h"
#include "scan/Presets.h"
#include "scan/ScanOptions.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CResultModel;
class CScanWorker;
class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QModelIndex;
class QPushButton;
class QTableView;
class QTimer;

class CLintallyDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CLintallyDlg(IPrompts& prompts, QWidget* parent = nullptr);
    ~CLintallyDlg() override;

    // The control with the given id (1002 to 1016), or null.
    [[nodiscard]] QWidget* GetDlgItem(int id) const;
    // The menu item with the given command id, or null.
    [[nodiscard]] QAction* GetMenuItem(int commandId) const;
    // Exchanges data between the controls and the fields: true takes the controls' values
    // into the fields, false shows the fields in the controls.
    void UpdateData(bool bSaveAndValidate = true);
    [[nodiscard]] const CResultModel& GetResultModel() const { return *m_pResultModel; }
    // True while a scan started by this dialog has not reported its end.
    [[nodiscard]] bool IsScanning() const;

protected:
    virtual void DoDataExchange(bool bSaveAndValidate);
    bool OnInitDialog();
    bool PreTranslateMessage(QObject* target, QEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    bool CanCalculate();
    void UpdateCalculateButton();

    // Handlers.
    void OnCommand(int commandId);
    void OnExit();
    void OnAbout();
    void OnHelp();
    void OnBrowse();
    void OnOpenFolder();
    void OnCalculate();
    void OnIncludeRemed();
    void OnMoreLess();
    void OnSave();
    void OnEditChangeFileType();
    void OnSelChangeFileType();
    void OnEditChangeDestination(const QString& text);
    void OnSelChangeDestination();
    void OnDblclkResult();
    void OnLineBreakCRLF();
    void OnLineBreakCR();

    // The scan.
    bool ConfirmStop();
    [[nodiscard]] static bool IsThreadRunning(const CScanWorker* worker);
    void BuildPatternList();
    [[nodiscard]] bool MatchPattern(std::string_view suffix) const;
    void FormatThousands(std::string& out, std::int64_t value) const;
    void ScanThreadProc(CScanWorker& worker);                 // worker thread
    void ScanFolder(CScanWorker& worker, std::string& dir);    // worker thread
    // A file the scan counted: its row and its lines added to the total.
    std::uint64_t CountFile(CScanWorker& worker, std::string_view relativeName,
                            std::uint64_t lines);             // worker thread

private:
    class CScanSink;

    void CreateControls();
    void ConnectControls();
    // Shows heightDu dialog units of controls below the menu bar (one of the two forms).
    void SetFormHeight(int heightDu);
    // Widens the file-name column to the names of the rows first to last where they need it.
    void FitNameColumn(int first, int last);
    [[nodiscard]] bool IsCurrentWorker(const CScanWorker* worker) const;
    void StartWorker();
    void ReapFinishedWorkers();
    void StopAllWorkers();
    void OnWorkerReport(CScanWorker* worker);
    void ShowTotal(std::int64_t total);

    IPrompts& m_prompts;
    QIcon m_hIcon;
    QPushButton* m_btnCalculate = nullptr;
    std::vector<std::string> m_arrPatterns;
    QComboBox* m_cbFileType = nullptr;
    CScanWorker* m_pWorker = nullptr;  // the last scan started; null after a confirmed stop
    int m_bIncludeRemed = lintally::scan::kStartupOptions.includeRemed ? 1 : 0;
    QTableView* m_lstResult = nullptr;
    std::string m_strTotal = "0";
    std::int64_t m_nTotal = 0;
    // The Line break menu's choice (1 CR+LF, 0 CR). Nothing reads it: the report always ends
    // its lines with CR+LF, and the choice only moves the menu's check.
    int m_bLineBreakCRLF = 1;
    int m_bExcludeBlank = lintally::scan::kStartupOptions.excludeBlank ? 1 : 0;
    int m_bIncludeSub = 0;  // set by OnInitDialog
    QComboBox* m_cbDestination = nullptr;
    std::string m_strRoot;  // bytes as the file system takes them
    // The three options as a running scan reads them (from another thread): refreshed from
    // the fields above at every exchange from the controls.
    lintally::scan::ScanOptions m_scanOptions;

    QMenuBar* m_pMenuBar = nullptr;
    QWidget* m_pClient = nullptr;
    CResultModel* m_pResultModel = nullptr;
    QCheckBox* m_chkIncludeSub = nullptr;
    QCheckBox* m_chkIncludeRemed = nullptr;
    QCheckBox* m_chkExcludeBlank = nullptr;
    QLineEdit* m_editTotal = nullptr;
    QLineEdit* m_editRoot = nullptr;
    QPushButton* m_btnMore = nullptr;
    // Every worker not yet joined: the current one and any still unwinding after a stop.
    std::vector<std::unique_ptr<CScanWorker>> m_workers;
    // While a scan reports an entry every millisecond, the window repaints at a steady
    // rate instead of after every entry (see event()).
    QElapsedTimer m_lastRepaint;
    QTimer* m_pRepaintTimer = nullptr;
    bool m_bAsking = false;
};
