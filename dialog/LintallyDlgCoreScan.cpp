// The scan side of the dialog: Calculate/Stop, the stop question, the worker's procedure
// and the reports it sends back. The walk and the count are scan/'s serial scan; the worker
// paces it, pauses it and stops it through the poll hook.
#include "dialog/LintallyDlgCore.h"

#include "dialog/ControlIds.h"
#include "dialog/PathText.h"
#include "dialog/ScanWorker.h"
#include "fileio/JoinPath.h"
#include "fileio/PathSeparator.h"
#include "results/FormatThousands.h"
#include "scan/AsciiCase.h"
#include "scan/CountRequest.h"
#include "scan/PatternList.h"

#include <chrono>

namespace {

constexpr const char* kCalculateCaption = "&Calculate";
constexpr const char* kStopCaption = "&Stop";

}  // namespace

// What the serial scan reports, turned into the worker's reports to the dialog.
class CLintallyDlgCore::CScanSink final : public lintally::scan::IScanSink
{
public:
    CScanSink(CLintallyDlgCore& dlg, CScanWorker& worker) : m_dlg(dlg), m_worker(worker) {}

    void OnRowCounted(std::string_view name, std::uint64_t lines) override
    {
        m_dlg.CountFile(m_worker, name, lines);
    }
    void OnEntryWalked() override { m_worker.ReportTotal(); }
    // ScanThreadProc reports the end, also for a root that was never walked.
    void OnFinished(bool) override {}

private:
    CLintallyDlgCore& m_dlg;
    CScanWorker& m_worker;
};

bool CLintallyDlgCore::IsScanning() const
{
    return IsThreadRunning(m_pWorker);
}

bool CLintallyDlgCore::IsThreadRunning(const CScanWorker* worker)
{
    return worker != nullptr && worker->IsRunning();
}

void CLintallyDlgCore::OnCalculate()
{
    if (lintally::scan::EqualsIgnoreAsciiCase(m_view.GetText(IDC_BTN_CALCULATE), kStopCaption)) {
        // A scan that has just ended still has its last reports on their way, and they bring
        // the caption back: the click meant Stop, so it must not start a scan over its rows.
        if (m_pWorker != nullptr && !IsThreadRunning(m_pWorker)) {
            return;
        }
        if (ConfirmStop()) {
            m_view.SetText(IDC_BTN_CALCULATE, kCalculateCaption);
        }
        return;
    }
    if (!ConfirmStop()) {
        return;
    }
    m_view.SetText(IDC_BTN_CALCULATE, kStopCaption);
    m_rows.Clear();
    m_view.DeleteAllRows();
    UpdateData(true);
    BuildPatternList();
    // A root that is empty or no folder leaves nothing to report: the old total and root
    // line must not stand as this scan's result.
    ShowTotal(0);
    m_view.SetText(IDC_EDIT_ROOT, "");
    StartWorker();
    m_view.SetShown(IDC_EDIT_ROOT, true);
    if (!m_view.HasComboItem(IDC_CB_DESTINATION, m_strRoot)) {
        m_view.AddComboItem(IDC_CB_DESTINATION, m_strRoot);
    }
}

void CLintallyDlgCore::StartWorker()
{
    ReapFinishedWorkers();
    // The scan cuts the type list into the same patterns as BuildPatternList did just before.
    auto worker = std::make_unique<CScanWorker>([this] { m_view.PostWorkerReports(); }, m_strRoot,
                                                m_view.GetText(IDC_CB_FILETYPE), m_scanOptions);
    m_pWorker = worker.get();
    ++m_scanSerial;
    m_workers.push_back(std::move(worker));
    m_pWorker->Start([this](CScanWorker& self) { ScanThreadProc(self); });
}

void CLintallyDlgCore::ReapFinishedWorkers()
{
    // Only workers whose thread has ended are let go, so m_pWorker never dangles. Their
    // undelivered reports go with them: a new scan is starting over a cleared list.
    std::erase_if(m_workers, [this](const std::unique_ptr<CScanWorker>& worker) {
        if (IsThreadRunning(worker.get()) || !worker->WaitFinished(std::chrono::milliseconds(0))) {
            return false;
        }
        if (worker.get() == m_pWorker) {
            m_pWorker = nullptr;
        }
        return true;
    });
}

void CLintallyDlgCore::StopAllWorkers()
{
    for (const auto& worker : m_workers) {
        worker->RequestStop();
    }
    for (const auto& worker : m_workers) {
        while (!worker->WaitFinished(std::chrono::milliseconds(1000))) {
        }
    }
    m_pWorker = nullptr;
    ++m_scanSerial;
    m_workers.clear();
}

bool CLintallyDlgCore::ConfirmStop()
{
    if (!IsThreadRunning(m_pWorker)) {
        return true;
    }
    if (m_bAsking) {
        return false;  // the question is already open
    }
    CScanWorker* worker = m_pWorker;
    worker->Pause();
    m_bAsking = true;
    const bool stop = m_prompts.AskYesNo("Confirm", "Stop current searching?");
    m_bAsking = false;
    if (!stop) {
        worker->Resume();
        return false;
    }
    worker->RequestStop();
    // Normally over at once: the worker leaves at its next poll. One still unwinding is
    // joined later (ReapFinishedWorkers); its reports are dropped.
    worker->WaitFinished(std::chrono::milliseconds(2000));
    m_pWorker = nullptr;
    ++m_scanSerial;
    return true;
}

void CLintallyDlgCore::BuildPatternList()
{
    m_arrPatterns = lintally::scan::BuildPatternList(m_view.GetText(IDC_CB_FILETYPE));
}

// The scan matches with the same patterns in scan/; this keeps the design's name for it.
bool CLintallyDlgCore::MatchPattern(std::string_view suffix) const
{
    return lintally::scan::MatchPattern(m_arrPatterns, suffix);
}

void CLintallyDlgCore::FormatThousands(std::string& out, std::int64_t value) const
{
    out = lintally::results::FormatThousands(value);
}

void CLintallyDlgCore::ScanThreadProc(CScanWorker& worker)
{
    std::string root = worker.Root();
    // An empty root names no folder (with a separator appended it would be the file
    // system's root); a file is no folder either, and its path is never shown as the root.
    if (PathIsFolder(root)) {
        root = Brim::JoinPath(root, {});
        worker.ReportRootShown(root);
        ScanFolder(worker, root);
    }
    worker.ReportFinished();
}

void CLintallyDlgCore::ScanFolder(CScanWorker& worker, std::string& dir)
{
    if (!dir.empty() && Brim::IsPathSeparator(dir.back())) {
        dir.pop_back();
    }
    CScanSink sink(*this, worker);
    lintally::scan::CountRequest request;
    request.files.root = dir;
    request.settings.types = worker.Types();
    request.live = &worker.Options();
    request.pace = [&worker] { return worker.Poll(); };
    (void)lintally::scan::Count(request, worker.GetStopToken(), sink);
}

std::uint64_t CLintallyDlgCore::CountFile(CScanWorker& worker, std::string_view relativeName,
                                          std::uint64_t lines)
{
    worker.AddToTotal(lines);
    worker.ReportRow(relativeName, lines);
    return lines;
}

bool CLintallyDlgCore::IsCurrentWorker(const CScanWorker* worker) const
{
    return worker == m_pWorker && !worker->IsStopping();
}

void CLintallyDlgCore::OnWorkerReports()
{
    // Only the current scan's reports count; every other worker's are dropped. A handler the
    // view runs meanwhile may stop this scan and start another: the rest is then dropped too.
    // The scan is told by its serial number, not by its worker's address, which a new
    // worker may take over as soon as the old one is gone.
    const std::uint64_t scan = m_scanSerial;
    std::vector<ScanReport> reports;
    for (const auto& worker : m_workers) {
        std::vector<ScanReport> taken = worker->TakeReports();
        if (IsCurrentWorker(worker.get())) {
            reports = std::move(taken);
        }
    }
    for (ScanReport& report : reports) {
        if (scan != m_scanSerial) {
            return;
        }
        switch (report.kind) {
        case ScanReport::Kind::RootShown:
            m_view.SetShown(IDC_STATIC_ROOT, true);
            m_view.SetText(IDC_EDIT_ROOT, HomeAbbreviated(report.text));
            break;
        case ScanReport::Kind::Row: {
            const int index = m_rows.Insert(std::move(report.text), report.lines);
            m_view.InsertRow(index, m_rows.At(index));
            ShowTotal(report.total);
            break;
        }
        case ScanReport::Kind::Total:
            ShowTotal(report.total);
            break;
        case ScanReport::Kind::Finished:
            m_view.SetText(IDC_BTN_CALCULATE, kCalculateCaption);
            break;
        }
    }
}

void CLintallyDlgCore::ShowTotal(std::int64_t total)
{
    m_nTotal = total;
    FormatThousands(m_strTotal, m_nTotal);
    m_view.SetText(IDC_EDIT_TOTAL, m_strTotal);
}
