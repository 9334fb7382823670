// The dialog's set-up, its data exchange and the handlers that decide whether Calculate
// may be pressed.
#include "dialog/LintallyDlgCore.h"

#include "dialog/ControlIds.h"
#include "dialog/PathText.h"
#include "dialog/ScanWorker.h"

CLintallyDlgCore::CLintallyDlgCore(IDialogView& view, IPrompts& prompts)
    : m_view(view), m_prompts(prompts)
{}

CLintallyDlgCore::~CLintallyDlgCore()
{
    StopAllWorkers();
}

bool CLintallyDlgCore::OnInitDialog()
{
    m_view.SetForm(IDialogView::Form::Short);
    m_arrPatterns.clear();
    for (const std::string_view preset : lintally::scan::kFileTypePresets) {
        m_view.AddComboItem(IDC_CB_FILETYPE, std::string(preset));
    }
    for (const std::string_view preset : lintally::scan::kDestinationPresets) {
        m_view.AddComboItem(IDC_CB_DESTINATION, std::string(preset));
    }
    m_view.SetText(IDC_CB_FILETYPE, std::string(lintally::scan::kFileTypePresets[0]));
    m_view.SetText(IDC_CB_DESTINATION, StartDestination());
    m_view.SetShown(IDC_STATIC_ROOT, false);
    m_view.SetShown(IDC_EDIT_ROOT, false);
    m_view.SetMenuCheck(ID_LINEBREAK_CRLF, m_bLineBreakCRLF != 0);
    m_view.SetMenuCheck(ID_LINEBREAK_CR, m_bLineBreakCRLF == 0);
    m_bIncludeSub = lintally::scan::kStartupOptions.includeSubFolders ? 1 : 0;
    UpdateData(false);
    SetRootFromDestination(m_view.GetText(IDC_CB_DESTINATION));
    return true;
}

void CLintallyDlgCore::UpdateData(bool bSaveAndValidate)
{
    DoDataExchange(bSaveAndValidate);
}

void CLintallyDlgCore::DoDataExchange(bool bSaveAndValidate)
{
    // The type list and the destination are read where they are used; the list is the view's.
    const auto check = [&](int id, int& value) {
        if (bSaveAndValidate) {
            value = m_view.IsChecked(id) ? 1 : 0;
        } else {
            m_view.SetChecked(id, value != 0);
        }
    };
    check(IDC_CHK_INCLUDE_REMED, m_bIncludeRemed);
    check(IDC_CHK_EXCLUDE_BLANK, m_bExcludeBlank);
    check(IDC_CHK_INCLUDE_SUB, m_bIncludeSub);
    if (bSaveAndValidate) {
        m_strTotal = m_view.GetText(IDC_EDIT_TOTAL);
        // A running scan takes these in at its next folder or file. The dialog never
        // tracks block comments: that is the command line's option alone.
        m_scanOptions.includeSubFolders = m_bIncludeSub != 0;
        m_scanOptions.countFlags =
            lintally::scan::MakeCountFlags(m_bIncludeRemed != 0, m_bExcludeBlank != 0, false);
    } else {
        m_view.SetText(IDC_EDIT_TOTAL, m_strTotal);
    }
}

bool CLintallyDlgCore::CanCalculate()
{
    UpdateData(true);
    return PathFileExists(m_strRoot) && !m_view.GetText(IDC_CB_FILETYPE).empty();
}

void CLintallyDlgCore::UpdateCalculateButton()
{
    m_view.SetEnabled(IDC_BTN_CALCULATE, CanCalculate());
    // A disabled button says why, and so does the box to fix.
    const std::string noRoot =
        PathFileExists(m_strRoot) ? "" : "The destination folder does not exist.";
    const std::string noTypes =
        m_view.GetText(IDC_CB_FILETYPE).empty() ? "The file type list is empty." : "";
    m_view.SetToolTip(IDC_CB_DESTINATION, noRoot);
    m_view.SetToolTip(IDC_CB_FILETYPE, noTypes);
    m_view.SetToolTip(IDC_BTN_CALCULATE, noRoot.empty() || noTypes.empty()
                                             ? noRoot + noTypes
                                             : noRoot + "\n" + noTypes);
}

void CLintallyDlgCore::SetRootFromDestination(const std::string& text)
{
    m_strRoot = RootFromDestination(text);
    UpdateCalculateButton();
}

void CLintallyDlgCore::OnEditChangeFileType()
{
    UpdateCalculateButton();
}

void CLintallyDlgCore::OnSelChangeFileType()
{
    // Picking a preset can turn an empty type list into a usable one. The edit field may
    // not show the pick yet while its selection changes; it does from here on.
    m_view.SetText(IDC_CB_FILETYPE, m_view.GetSelectedItemText(IDC_CB_FILETYPE));
    UpdateCalculateButton();
}

void CLintallyDlgCore::OnEditChangeDestination()
{
    SetRootFromDestination(m_view.GetText(IDC_CB_DESTINATION));
}

void CLintallyDlgCore::OnSelChangeDestination()
{
    SetRootFromDestination(m_view.GetSelectedItemText(IDC_CB_DESTINATION));
}

void CLintallyDlgCore::OnIncludeRemed()
{
    UpdateData(true);
}

bool CLintallyDlgCore::OnCommand(int commandId)
{
    switch (commandId) {
    case ID_FILE_EXIT:
        OnExit();
        return true;
    case ID_HELP_ABOUT:
    case ID_HELP:  // Lintally ships no help file; the About box is what help there is.
        m_view.ShowAbout();
        return true;
    case ID_FILE_SELECTFOLDER:
    case IDC_BTN_BROWSE:
        OnBrowse();
        return true;
    case ID_FILE_OPENFOLDER:
        OnOpenFolder();
        return true;
    case ID_LINEBREAK_CRLF:
        OnLineBreakCRLF();
        return true;
    case ID_LINEBREAK_CR:
        OnLineBreakCR();
        return true;
    case IDC_BTN_CALCULATE:
        OnCalculate();
        return true;
    case IDC_CHK_INCLUDE_REMED:
        OnIncludeRemed();
        return true;
    case IDC_BTN_MORE:
        OnMoreLess();
        return true;
    case IDC_BTN_SAVE:
        OnSave();
        return true;
    default:
        return false;
    }
}

bool CLintallyDlgCore::OnClose()
{
    if (!ConfirmStop()) {
        return false;
    }
    m_arrPatterns.clear();
    return true;
}

void CLintallyDlgCore::OnExit()
{
    // Ends at once, without the stop question; a running scan is stopped and waited for
    // first, so it never reports into a window that has gone.
    StopAllWorkers();
    m_view.EndDialog();
}
