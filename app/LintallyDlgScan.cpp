// The scan side of the main dialog: Calculate/Stop, the stop question, the worker's
// procedure and the reports it sends back.
#include "app/LintallyDlg.h"

#include "app/ControlIds.h"
#include "app/PathText.h"
#include "app/ResultModel.h"
#include "app/ScanWorker.h"
#include "scan/FileCount.h"
#include "scan/FormatThousands.h"
#include "scan/PathSeparator.h"
#include "scan/PatternList.h"
#include "scan/Walker.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>

using lintally::scan::kPathSeparator;

namespace {

const QString kCalculateCaption = QStringLiteral("&Calculate");
const QString kStopCaption = QStringLiteral("&Stop");

// The walk's hooks for one worker: the paced stop poll, the live sub-folder option, and
// a row plus a total for every file.
class CWalkHooks final : public lintally::scan::IWalkVisitor
{
public:
    using CountFn = std::function<void(const std::string&, std::string_view)>;

    CWalkHooks(CScanWorker& worker, CountFn count)
        : m_worker(worker)
        , m_count(std::move(count))
    {
    }

    bool Poll() override { return m_worker.Poll(); }
    bool IncludeSubFolders() override { return m_worker.Options().m_bIncludeSub.load() != 0; }
    void OnFileMatched(const std::string& fullPath, std::string_view relativeName) override
    {
        m_count(fullPath, relativeName);
    }
    void OnEntryChecked() override { m_worker.ReportTotal(); }

private:
    CScanWorker& m_worker;
    CountFn m_count;
};

} // namespace

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
    auto worker = std::make_unique<CScanWorker>(this, m_strRoot, m_arrPatterns, *this);
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

bool CLintallyDlg::MatchPattern(std::string_view suffix) const
{
    return lintally::scan::MatchPattern(m_arrPatterns, suffix);
}

void CLintallyDlg::FormatThousands(std::string& out, std::int64_t value) const
{
    out = lintally::scan::FormatThousands(value);
}

unsigned CLintallyDlg::ScanThreadProc(CScanWorker& worker)
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
    return 1;
}

void CLintallyDlg::ScanFolder(CScanWorker& worker, std::string& dir)
{
    if (!dir.empty() && dir.back() == kPathSeparator) {
        dir.pop_back();
    }
    CWalkHooks hooks(worker, [this, &worker](const std::string& fullPath, std::string_view relativeName) {
        CountFile(worker, fullPath, relativeName);
    });
    lintally::scan::WalkFolder(dir, worker.Patterns(), hooks);
}

std::uint32_t CLintallyDlg::CountFile(CScanWorker& worker, const std::string& fullPath, std::string_view relativeName)
{
    const CScanOptions& options = worker.Options();
    const std::uint32_t flags = lintally::scan::MakeCountFlags(options.m_bIncludeRemed.load() != 0,
                                                               options.m_bExcludeBlank.load() != 0, false);
    const std::uint32_t lines = lintally::scan::CountFile(fullPath, flags);
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
