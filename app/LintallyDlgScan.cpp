// The scan side of the main dialog: Calculate/Stop, the stop question, the worker's
// procedure and the reports it sends back. The walk and the count are scan/'s serial scan;
// the worker paces it, pauses it and stops it through the poll hook.
#include "app/LintallyDlg.h"

#include "app/ControlIds.h"
#include "app/PathText.h"
#include "app/ResultModel.h"
#include "app/ScanWorker.h"
#include "fileio/PathSeparator.h"
#include "scan/FormatThousands.h"
#include "scan/PatternList.h"
#include "scan/SerialScan.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>

using Brim::kPathSeparator;

namespace {

const QString kCalculateCaption = QStringLiteral("&Calculate");
const QString kStopCaption = QStringLiteral("&Stop");

} // namespace

// What the serial scan reports, turned into the worker's reports to the dialog.
class CLintallyDlg::CScanSink final : public lintally::scan::IScanSink
{
public:
    CScanSink(CLintallyDlg& dlg, CScanWorker& worker)
        : m_dlg(dlg)
        , m_worker(worker)
    {
    }

    void OnRowCounted(std::string_view name, std::uint64_t lines) override { m_dlg.CountFile(m_worker, name, lines); }
    void OnEntryWalked() override { m_worker.ReportTotal(); }
    // ScanThreadProc reports the end, also for a root that was never walked.
    void OnFinished(bool) override {}

private:
    CLintallyDlg& m_dlg;
    CScanWorker& m_worker;
};

bool CLintallyDlg::IsScanning() const
{
    return IsThreadRunning(m_pWorker);
}

bool CLintallyDlg::IsThreadRunning(const CScanWorker* worker)
{
    return worker != nullptr && worker->IsRunning();
}

void CLintallyDlg::OnCalculate()
{
    if (IsThreadRunning(m_pWorker) && m_btnCalculate->text().compare(kStopCaption, Qt::CaseInsensitive) == 0) {
        if (ConfirmStop()) {
            m_btnCalculate->setText(kCalculateCaption);
        }
        return;
    }
    if (!ConfirmStop()) {
        return;
    }
    m_btnCalculate->setText(kStopCaption);
    m_pResultModel->DeleteAllRows();
    UpdateData(true);
    BuildPatternList();
    // A root that is empty or no folder leaves nothing to report: the old total and root
    // line must not stand as this scan's result.
    ShowTotal(0);
    m_editRoot->clear();
    StartWorker();
    m_editRoot->show();
    const QString root = FromPathBytes(m_strRoot);
    if (m_cbDestination->findText(root, Qt::MatchFixedString) < 0) {
        m_cbDestination->addItem(root);
    }
}

void CLintallyDlg::StartWorker()
{
    ReapFinishedWorkers();
    auto worker = std::make_unique<CScanWorker>(this, m_strRoot, m_arrPatterns, m_scanOptions);
    connect(worker.get(), &CScanWorker::Reported, this, [this, reporter = worker.get()] { OnWorkerReport(reporter); },
            Qt::BlockingQueuedConnection);
    m_pWorker = worker.get();
    m_workers.push_back(std::move(worker));
    m_pWorker->Start([this](CScanWorker& self) { ScanThreadProc(self); });
}

void CLintallyDlg::ReapFinishedWorkers()
{
    // Only workers whose thread has ended are let go, so m_pWorker never dangles.
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

void CLintallyDlg::StopAllWorkers()
{
    for (const auto& worker : m_workers) {
        worker->RequestStop();
    }
    for (const auto& worker : m_workers) {
        while (!worker->WaitFinished(std::chrono::milliseconds(1000))) {
        }
    }
    m_pWorker = nullptr;
    m_workers.clear();
}

bool CLintallyDlg::ConfirmStop()
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
    const bool stop = m_prompts.AskYesNo(this, QStringLiteral("Confirm"), QStringLiteral("Stop current searching?"));
    m_bAsking = false;
    if (!stop) {
        worker->Resume();
        return false;
    }
    worker->RequestStop();
    // Normally over at once: the worker leaves at its next poll.
    worker->WaitFinished(std::chrono::milliseconds(2000));
    m_pWorker = nullptr;
    return true;
}

void CLintallyDlg::BuildPatternList()
{
    m_arrPatterns = lintally::scan::BuildPatternList(m_cbFileType->currentText().toStdString());
}

// The scan matches with the same patterns in scan/; this keeps the design's name for it.
bool CLintallyDlg::MatchPattern(std::string_view suffix) const
{
    return lintally::scan::MatchPattern(m_arrPatterns, suffix);
}

void CLintallyDlg::FormatThousands(std::string& out, std::int64_t value) const
{
    out = lintally::scan::FormatThousands(value);
}

void CLintallyDlg::ScanThreadProc(CScanWorker& worker)
{
    std::string root = worker.Root();
    // An empty root names no folder (with a separator appended it would be the file
    // system's root); a file is no folder either, and its path is never shown as the root.
    if (PathIsFolder(root)) {
        if (root.back() != kPathSeparator) {
            root.push_back(kPathSeparator);
        }
        worker.ReportRootShown(root);
        ScanFolder(worker, root);
    }
    worker.ReportFinished();
}

void CLintallyDlg::ScanFolder(CScanWorker& worker, std::string& dir)
{
    if (!dir.empty() && dir.back() == kPathSeparator) {
        dir.pop_back();
    }
    CScanSink sink(*this, worker);
    lintally::scan::RunSerialScan(dir, worker.Patterns(), worker.Options(), worker.GetStopToken(), sink,
                                  [&worker] { return worker.Poll(); });
}

std::uint64_t CLintallyDlg::CountFile(CScanWorker& worker, std::string_view relativeName, std::uint64_t lines)
{
    worker.AddToTotal(lines);
    worker.ReportRow(relativeName, lines);
    return lines;
}

bool CLintallyDlg::IsCurrentWorker(const CScanWorker* worker) const
{
    return worker == m_pWorker && !worker->IsStopping();
}

void CLintallyDlg::OnWorkerReport(CScanWorker* worker)
{
    const ScanReport report = worker->TakeReport();
    if (!IsCurrentWorker(worker)) {
        return;
    }
    switch (report.kind) {
    case ScanReport::Kind::RootShown:
        GetDlgItem(IDC_STATIC_ROOT)->show();
        m_editRoot->setText(FromPathBytes(report.text));
        break;
    case ScanReport::Kind::Row:
        m_pResultModel->InsertRow(report.text, report.lines);
        ShowTotal(report.total);
        break;
    case ScanReport::Kind::Total:
        ShowTotal(report.total);
        break;
    case ScanReport::Kind::Finished:
        m_btnCalculate->setText(kCalculateCaption);
        break;
    }
}

void CLintallyDlg::ShowTotal(std::int64_t total)
{
    m_nTotal = total;
    FormatThousands(m_strTotal, m_nTotal);
    m_editTotal->setText(QString::fromStdString(m_strTotal));
}
