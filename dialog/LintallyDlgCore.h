// CLintallyDlgCore: Lintally's main dialog without a toolkit. It holds the user's choices,
// the pattern list, the result rows, the running total and the scan workers, and keeps the
// handler names of its design (OnCalculate, OnSave, OnBrowse, ...). It shows everything
// through an IDialogView, by control id, and asks every question through IPrompts; each
// toolkit's window forwards its controls' notifications to the handlers here. The walk,
// the filter, the count and the report come from scan/.
//
// UI thread only, except the members marked "worker thread": those run on a scan worker's
// thread and read only that worker's inputs and the atomic scan options. The view and the
// prompts must outlive the core; StopAllWorkers (also run by the destructor) stops every
// worker and waits for it.
#pragma once

#include "dialog/DialogView.h"
#include "dialog/Prompts.h"
#include "dialog/ResultRows.h"
#include "scan/Presets.h"
#include "scan/ScanOptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CScanWorker;

class CLintallyDlgCore
{
public:
    CLintallyDlgCore(IDialogView& view, IPrompts& prompts);
    ~CLintallyDlgCore();
    CLintallyDlgCore(const CLintallyDlgCore&) = delete;
    CLintallyDlgCore& operator=(const CLintallyDlgCore&) = delete;

    // Fills the boxes and shows the short form; the view's controls must exist.
    bool OnInitDialog();
    // Exchanges data between the controls and the fields: true takes the controls' values
    // into the fields, false shows the fields in the controls.
    void UpdateData(bool bSaveAndValidate = true);
    [[nodiscard]] const CResultRows& GetRows() const { return m_rows; }
    // True while a scan started by this dialog has not reported its end.
    [[nodiscard]] bool IsScanning() const;

    // A menu command or a button, by id; false for an id the dialog has no handler for.
    bool OnCommand(int commandId);
    void OnExit();
    void OnBrowse();
    void OnOpenFolder();
    void OnCalculate();
    void OnIncludeRemed();
    void OnMoreLess();
    void OnSave();
    void OnEditChangeFileType();
    void OnSelChangeFileType();
    void OnEditChangeDestination();
    void OnSelChangeDestination();
    void OnDblclkResult();
    void OnLineBreakCRLF();
    void OnLineBreakCR();
    // The window's close box: true when the window may close (no scan, or its stop confirmed).
    bool OnClose();
    // Takes the reports the workers queued (after IDialogView::PostWorkerReports).
    void OnWorkerReports();
    // Stops every scan and waits for it; no report arrives afterwards.
    void StopAllWorkers();

protected:
    virtual void DoDataExchange(bool bSaveAndValidate);
    bool CanCalculate();
    void UpdateCalculateButton();

    // The scan.
    bool ConfirmStop();
    [[nodiscard]] static bool IsThreadRunning(const CScanWorker* worker);
    void BuildPatternList();
    [[nodiscard]] bool MatchPattern(std::string_view suffix) const;
    void FormatThousands(std::string& out, std::int64_t value) const;
    void ScanThreadProc(CScanWorker& worker);                // worker thread
    void ScanFolder(CScanWorker& worker, std::string& dir);  // worker thread
    // A file the scan counted: its row and its lines added to the total.
    std::uint64_t CountFile(CScanWorker& worker, std::string_view relativeName,
                            std::uint64_t lines);  // worker thread

private:
    class CScanSink;

    [[nodiscard]] bool IsCurrentWorker(const CScanWorker* worker) const;
    void StartWorker();
    void ReapFinishedWorkers();
    void ShowTotal(std::int64_t total);
    void SetRootFromDestination(const std::string& text);

    IDialogView& m_view;
    IPrompts& m_prompts;
    std::vector<std::string> m_arrPatterns;
    CScanWorker* m_pWorker = nullptr;  // the last scan started; null after a confirmed stop
    std::uint64_t m_scanSerial = 0;    // changes whenever m_pWorker does
    int m_bIncludeRemed = lintally::scan::kStartupOptions.includeRemed ? 1 : 0;
    CResultRows m_rows;
    std::string m_strTotal = "0";
    std::int64_t m_nTotal = 0;
    // The Line break menu's choice (1 CR+LF, 0 CR). Nothing reads it: the report always ends
    // its lines with CR+LF, and the choice only moves the menu's check.
    int m_bLineBreakCRLF = 1;
    int m_bExcludeBlank = lintally::scan::kStartupOptions.excludeBlank ? 1 : 0;
    int m_bIncludeSub = 0;  // set by OnInitDialog
    std::string m_strRoot;  // bytes as the file system takes them
    // The three options as a running scan reads them (from another thread): refreshed from
    // the fields above at every exchange from the controls.
    lintally::scan::ScanOptions m_scanOptions;
    // Every worker not yet joined: the current one and any still unwinding after a stop.
    std::vector<std::unique_ptr<CScanWorker>> m_workers;
    bool m_bAsking = false;
};
