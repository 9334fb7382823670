// The commands around the scan: the report, opening a listed file or the root folder,
// the folder browser, the line-break setting and More/Less.
#include "dialog/LintallyDlgCore.h"

#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"
#include "dialog/PathText.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileExists.h"
#include "fileio/ItemIDList.h"
#include "fileio/JoinPath.h"
#include "results/Report.h"
#include "scan/AsciiCase.h"

#include <algorithm>

void CLintallyDlgCore::OnSave()
{
    if (m_rows.Count() == 0) {
        return;
    }
    const SaveFileRequest request{
        "Save to file...",
        {{"文本文档", "*.txt"}, {"所有文档", "*.*"}},
        "txt",
        true,
    };
    const std::string fileName = m_prompts.GetSaveFileName(request);
    if (fileName.empty()) {
        return;
    }
    // Written beside the target and renamed over it: a failure leaves the old file whole.
    const std::string report =
        lintally::results::FormatReport(m_strRoot, m_rows.Sorted(), m_strTotal);
    std::string error;
    if (!Brim::WriteFileAtomically(fileName, report, error)) {
        m_prompts.ShowError(MAIN_DIALOG_CAPTION,
                            "The report could not be saved to " + fileName + ".\n" + error);
    }
}

void CLintallyDlgCore::OnDblclkResult()
{
    const std::vector<int> selected = m_view.GetSelectedRows();
    if (selected.empty()) {
        return;
    }
    const int topmost = *std::min_element(selected.begin(), selected.end());
    if (topmost < 0 || topmost >= m_rows.Count()) {
        return;
    }
    const std::string path = Brim::JoinPath(m_strRoot, m_rows.At(topmost).name);
    if (Brim::FileExists(path.c_str())) {
        m_prompts.OpenWithDesktop(path);
    }
}

void CLintallyDlgCore::OnOpenFolder()
{
    m_prompts.OpenWithDesktop(m_strRoot);
}

void CLintallyDlgCore::OnBrowse()
{
    Brim::LPITEMIDLIST chosen = m_prompts.BrowseForFolder("Select destination folder", m_strRoot);
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
    if (!m_strRoot.empty()) {
        m_strRoot = Brim::JoinPath(m_strRoot, {});
    }
    m_view.SetText(IDC_CB_DESTINATION, m_strRoot);
    UpdateData(false);
    SetRootFromDestination(m_view.GetText(IDC_CB_DESTINATION));
}

void CLintallyDlgCore::OnLineBreakCRLF()
{
    m_bLineBreakCRLF = 1;
    m_view.SetMenuCheck(ID_LINEBREAK_CRLF, true);
    m_view.SetMenuCheck(ID_LINEBREAK_CR, false);
}

void CLintallyDlgCore::OnLineBreakCR()
{
    m_bLineBreakCRLF = 0;
    m_view.SetMenuCheck(ID_LINEBREAK_CRLF, false);
    m_view.SetMenuCheck(ID_LINEBREAK_CR, true);
}

void CLintallyDlgCore::OnMoreLess()
{
    if (!lintally::scan::EqualsIgnoreAsciiCase(m_view.GetText(IDC_BTN_MORE), "&Less")) {
        m_view.SetForm(IDialogView::Form::Long);
        m_view.SetText(IDC_BTN_MORE, "&Less");
    } else {
        m_view.SetForm(IDialogView::Form::Short);
        m_view.SetText(IDC_BTN_MORE, "&More");
    }
}
