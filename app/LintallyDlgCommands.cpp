// The commands around the scan: the report, opening a listed file or the root folder,
// the folder browser, the line-break setting, More/Less, Help and About.
#include "app/LintallyDlg.h"

#include "app/AboutDlg.h"
#include "app/ControlIds.h"
#include "app/DialogTemplate.h"
#include "app/PathText.h"
#include "app/ResultModel.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileExists.h"
#include "fileio/ItemIDList.h"
#include "fileio/PathSeparator.h"
#include "scan/Report.h"

#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include <algorithm>

using Brim::kPathSeparator;

void CLintallyDlg::OnSave()
{
    if (m_pResultModel->rowCount() == 0) {
        return;
    }
    const SaveFileRequest request{
        QStringLiteral("Save to file..."),
        {QStringLiteral(u"文本文档 (*.txt)"), QStringLiteral(u"所有文档 (*.*)")},
        QStringLiteral("txt"),
        true,
    };
    const QString fileName = m_prompts.GetSaveFileName(this, request);
    if (fileName.isEmpty()) {
        return;
    }
    // Written beside the target and renamed over it: a failure leaves the old file whole.
    const std::string report = lintally::scan::FormatReport(m_strRoot, m_pResultModel->SortedRows(), m_strTotal);
    std::string error;
    if (!Brim::WriteFileAtomically(ToPathBytes(fileName), report, error)) {
        m_prompts.ShowError(this, QString::fromUtf8(kMainDialogCaption),
                            QStringLiteral("The report could not be saved to %1.\n%2")
                                .arg(fileName, QString::fromLocal8Bit(error.c_str())));
    }
}

void CLintallyDlg::OnDblclkResult()
{
    const QModelIndexList selected = m_lstResult->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    const auto topmost = std::min_element(selected.begin(), selected.end(),
        [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::string path = m_strRoot;
    if (path.empty() || path.back() != kPathSeparator) {
        path.push_back(kPathSeparator);
    }
    path += m_pResultModel->RowAt(topmost->row()).name;
    if (Brim::FileExists(path.c_str())) {
        m_prompts.OpenWithDesktop(FromPathBytes(path));
    }
}

void CLintallyDlg::OnOpenFolder()
{
    m_prompts.OpenWithDesktop(FromPathBytes(m_strRoot));
}

void CLintallyDlg::OnBrowse()
{
    Brim::LPITEMIDLIST chosen = m_prompts.BrowseForFolder(this, QStringLiteral("Select destination folder"),
                                                          FromPathBytes(m_strRoot));
    if (chosen == nullptr) {
        return;
    }
    char path[Brim::MaxIDListPath + 1] = {};
    {
        Brim::CItemIDList list;
        list.Attach(chosen);
        list.GetPath(path, sizeof path);
        list.Detach();
    }
    Brim::FreeIDList(&chosen);
    path[Brim::MaxIDListPath] = '\0';
    m_strRoot = path;
    if (!m_strRoot.empty() && m_strRoot.back() != kPathSeparator) {
        m_strRoot.push_back(kPathSeparator);
    }
    m_cbDestination->setEditText(FromPathBytes(m_strRoot));
    UpdateData(false);
    m_strRoot = RootFromDestination(m_cbDestination->currentText());
    UpdateCalculateButton();
}

void CLintallyDlg::OnLineBreakCRLF()
{
    GetMenuItem(ID_LINEBREAK_CRLF)->setChecked(true);
    GetMenuItem(ID_LINEBREAK_CR)->setChecked(false);
    m_bLineBreakCRLF = 1;
}

void CLintallyDlg::OnLineBreakCR()
{
    GetMenuItem(ID_LINEBREAK_CRLF)->setChecked(false);
    GetMenuItem(ID_LINEBREAK_CR)->setChecked(true);
    m_bLineBreakCRLF = 0;
}

void CLintallyDlg::OnMoreLess()
{
    if (m_btnMore->text().compare(QStringLiteral("&Less"), Qt::CaseInsensitive) != 0) {
        SetFormHeight(LongFormHeightDu());
        m_btnMore->setText(QStringLiteral("&Less"));
    } else {
        SetFormHeight(ShortFormHeightDu());
        m_btnMore->setText(QStringLiteral("&More"));
    }
}

void CLintallyDlg::OnHelp()
{
    // Lintally ships no help file; the About box is what help there is.
    OnAbout();
}

void CLintallyDlg::OnAbout()
{
    CAboutDlg about(m_hIcon, this);
    about.exec();
}
