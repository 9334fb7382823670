#include "app/LintallyDlg.h"

#include "app/ControlIds.h"
#include "app/DialogTemplate.h"
#include "app/PathText.h"
#include "app/ResultModel.h"
#include "app/ScanWorker.h"
#include "scan/FileCount.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>

// The icon lives in this library's resources; a static library must register them itself.
static void InitAppResources()
{
    Q_INIT_RESOURCE(lintally);
}

namespace {

// The check state of a box and an option field, in the direction asked for.
void DDX_Check(bool bSaveAndValidate, QCheckBox* box, int& value)
{
    if (bSaveAndValidate) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value != 0);
    }
}

void DDX_Text(bool bSaveAndValidate, QLineEdit* edit, std::string& value)
{
    if (bSaveAndValidate) {
        value = edit->text().toStdString();
    } else {
        edit->setText(QString::fromStdString(value));
    }
}

} // namespace

CLintallyDlg::CLintallyDlg(IPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_prompts(prompts)
{
    InitAppResources();
    m_hIcon = QIcon(QStringLiteral(":/lintally/lintally.png"));
    setWindowTitle(QString::fromUtf8(kMainDialogCaption));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(DialogFont(font()));
    CreateControls();
    ConnectControls();
    m_pRepaintTimer = new QTimer(this);
    m_pRepaintTimer->setSingleShot(true);
    connect(m_pRepaintTimer, &QTimer::timeout, this, [this] {
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
    qApp->installEventFilter(this);
    OnInitDialog();
}

CLintallyDlg::~CLintallyDlg()
{
    qApp->removeEventFilter(this);
    StopAllWorkers();
}

void CLintallyDlg::CreateControls()
{
    m_pMenuBar = CreateMainMenu(this);
    m_pClient = new QWidget(this);
    m_pClient->setObjectName(QStringLiteral("client"));
    for (const ControlTemplate& control : kMainDialogControls) {
        CreateControl(control, m_pClient);
    }
    const int menuHeight = m_pMenuBar->sizeHint().height();
    const int width = DuToPixelsX(kMainDialogWidthDu);
    FitCaptions(m_pClient, width - DuToPixelsX(5));
    m_pMenuBar->setGeometry(0, 0, width, menuHeight);
    m_pClient->setGeometry(0, menuHeight, width, DuToPixelsY(kMainDialogHeightDu));
    setFixedWidth(width);

    m_cbFileType = qobject_cast<QComboBox*>(GetDlgItem(IDC_CB_FILETYPE));
    m_cbDestination = qobject_cast<QComboBox*>(GetDlgItem(IDC_CB_DESTINATION));
    m_btnCalculate = qobject_cast<QPushButton*>(GetDlgItem(IDC_BTN_CALCULATE));
    m_btnMore = qobject_cast<QPushButton*>(GetDlgItem(IDC_BTN_MORE));
    m_lstResult = qobject_cast<QTableView*>(GetDlgItem(IDC_LST_RESULT));
    m_chkIncludeSub = qobject_cast<QCheckBox*>(GetDlgItem(IDC_CHK_INCLUDE_SUB));
    m_chkIncludeRemed = qobject_cast<QCheckBox*>(GetDlgItem(IDC_CHK_INCLUDE_REMED));
    m_chkExcludeBlank = qobject_cast<QCheckBox*>(GetDlgItem(IDC_CHK_EXCLUDE_BLANK));
    m_editTotal = qobject_cast<QLineEdit*>(GetDlgItem(IDC_EDIT_TOTAL));
    m_editRoot = qobject_cast<QLineEdit*>(GetDlgItem(IDC_EDIT_ROOT));
    GetDlgItem(IDC_STATIC_ROOT)->hide();
    for (const std::string_view preset : lintally::scan::kFileTypePresets) {
        m_cbFileType->addItem(QString::fromUtf8(preset.data(), static_cast<qsizetype>(preset.size())));
    }
    for (const std::string_view preset : lintally::scan::kDestinationPresets) {
        m_cbDestination->addItem(QString::fromUtf8(preset.data(), static_cast<qsizetype>(preset.size())));
    }
    m_pResultModel = new CResultModel(this);
    m_lstResult->setModel(m_pResultModel);
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence::HelpContents);
    help->setProperty("commandId", ID_HELP);
    addAction(help);
}

void CLintallyDlg::ConnectControls()
{
    for (QAction* action : findChildren<QAction*>()) {
        const QVariant id = action->property("commandId");
        if (id.isValid()) {
            connect(action, &QAction::triggered, this, [this, command = id.toInt()] { OnCommand(command); });
        }
    }
    connect(qobject_cast<QPushButton*>(GetDlgItem(IDC_BTN_BROWSE)), &QPushButton::clicked, this, &CLintallyDlg::OnBrowse);
    connect(m_btnCalculate, &QPushButton::clicked, this, &CLintallyDlg::OnCalculate);
    connect(m_chkIncludeRemed, &QCheckBox::clicked, this, &CLintallyDlg::OnIncludeRemed);
    connect(m_btnMore, &QPushButton::clicked, this, &CLintallyDlg::OnMoreLess);
    connect(qobject_cast<QPushButton*>(GetDlgItem(IDC_BTN_SAVE)), &QPushButton::clicked, this, &CLintallyDlg::OnSave);
    connect(m_cbFileType->lineEdit(), &QLineEdit::textEdited, this, &CLintallyDlg::OnEditChangeFileType);
    connect(m_cbFileType, &QComboBox::activated, this, &CLintallyDlg::OnSelChangeFileType);
    connect(m_cbDestination->lineEdit(), &QLineEdit::textEdited, this, &CLintallyDlg::OnEditChangeDestination);
    connect(m_cbDestination, &QComboBox::activated, this, &CLintallyDlg::OnSelChangeDestination);
    connect(m_lstResult, &QTableView::doubleClicked, this, &CLintallyDlg::OnDblclkResult);
    connect(m_pResultModel, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { FitNameColumn(first, last); });
    connect(m_pResultModel, &QAbstractItemModel::modelReset, this,
            [this] { m_lstResult->setColumnWidth(CResultModel::FileNameColumn, kFileNameColumnWidth); });
}

void CLintallyDlg::FitNameColumn(int first, int last)
{
    // The column keeps its designed width until a name needs more; the list then scrolls
    // sideways instead of cutting the name short.
    const int margin = m_lstResult->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_lstResult);
    const int padding = 2 * (margin + 1) + 1;
    int width = m_lstResult->columnWidth(CResultModel::FileNameColumn);
    for (int row = first; row <= last; ++row) {
        const QString name = m_pResultModel->index(row, CResultModel::FileNameColumn).data().toString();
        width = std::max(width, m_lstResult->fontMetrics().horizontalAdvance(name) + padding);
    }
    m_lstResult->setColumnWidth(CResultModel::FileNameColumn, width);
}

bool CLintallyDlg::OnInitDialog()
{
    // The window manager owns the system menu here; About stays in the Help menu.
    setWindowIcon(m_hIcon);
    SetFormHeight(ShortFormHeightDu());
    m_arrPatterns.clear();
    m_cbFileType->setCurrentIndex(0);
    m_cbFileType->lineEdit()->setCursorPosition(0);
    m_lstResult->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstResult->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstResult->setColumnWidth(CResultModel::FileNameColumn, kFileNameColumnWidth);
    m_lstResult->setColumnWidth(CResultModel::CodeLinesColumn, kCodeLinesColumnWidth);
    m_lstResult->setShowGrid(true);
    m_editRoot->hide();
    m_bIncludeSub = lintally::scan::kStartupOptions.includeSubFolders ? 1 : 0;
    m_cbDestination->setCurrentIndex(0);
    UpdateData(false);
    m_strRoot = RootFromDestination(m_cbDestination->currentText());
    UpdateCalculateButton();
    return true;
}

QWidget* CLintallyDlg::GetDlgItem(int id) const
{
    const auto widgets = findChildren<QWidget*>();
    const auto found = std::find_if(widgets.begin(), widgets.end(), [id](const QWidget* widget) {
        const QVariant value = widget->property("controlId");
        return value.isValid() && value.toInt() == id && id != kNoControlId;
    });
    return found == widgets.end() ? nullptr : *found;
}

QAction* CLintallyDlg::GetMenuItem(int commandId) const
{
    for (QAction* action : m_pMenuBar->findChildren<QAction*>()) {
        const QVariant value = action->property("commandId");
        if (value.isValid() && value.toInt() == commandId) {
            return action;
        }
    }
    return nullptr;
}

void CLintallyDlg::UpdateData(bool bSaveAndValidate)
{
    DoDataExchange(bSaveAndValidate);
}

void CLintallyDlg::DoDataExchange(bool bSaveAndValidate)
{
    // The controls 1002, 1006, 1009 and 1016 are bound once, when they are created.
    DDX_Check(bSaveAndValidate, m_chkIncludeRemed, m_bIncludeRemed);
    DDX_Text(bSaveAndValidate, m_editTotal, m_strTotal);
    DDX_Check(bSaveAndValidate, m_chkExcludeBlank, m_bExcludeBlank);
    DDX_Check(bSaveAndValidate, m_chkIncludeSub, m_bIncludeSub);
    if (bSaveAndValidate) {
        // A running scan takes these in at its next folder or file. The dialog never
        // tracks block comments: that is the command line's option alone.
        m_scanOptions.includeSubFolders = m_bIncludeSub != 0;
        m_scanOptions.countFlags = lintally::scan::MakeCountFlags(m_bIncludeRemed != 0, m_bExcludeBlank != 0, false);
    }
}

bool CLintallyDlg::CanCalculate()
{
    UpdateData(true);
    const QString typeList = m_cbFileType->currentText();
    return PathFileExists(m_strRoot) && !typeList.isEmpty();
}

void CLintallyDlg::UpdateCalculateButton()
{
    m_btnCalculate->setEnabled(CanCalculate());
    // A disabled button says why, and so does the box to fix; on first run the destination
    // presets name folders that rarely exist here.
    const QString noRoot =
        PathFileExists(m_strRoot) ? QString() : QStringLiteral("The destination folder does not exist.");
    const QString noTypes =
        m_cbFileType->currentText().isEmpty() ? QStringLiteral("The file type list is empty.") : QString();
    m_cbDestination->setToolTip(noRoot);
    m_cbFileType->setToolTip(noTypes);
    QStringList reasons{noRoot, noTypes};
    reasons.removeAll(QString());
    m_btnCalculate->setToolTip(reasons.join(QLatin1Char('\n')));
}

void CLintallyDlg::OnEditChangeFileType()
{
    UpdateCalculateButton();
}

void CLintallyDlg::OnSelChangeFileType()
{
    // Picking a preset can turn an empty type list into a usable one.
    UpdateCalculateButton();
}

void CLintallyDlg::OnEditChangeDestination(const QString& text)
{
    m_strRoot = RootFromDestination(text);
    UpdateCalculateButton();
}

void CLintallyDlg::OnSelChangeDestination()
{
    m_strRoot = RootFromDestination(m_cbDestination->itemText(m_cbDestination->currentIndex()));
    UpdateCalculateButton();
}

void CLintallyDlg::OnIncludeRemed()
{
    UpdateData(true);
}

bool CLintallyDlg::PreTranslateMessage(QObject* target, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) {
        return false;
    }
    // Only keys meant for this window; its own message boxes and menus keep theirs.
    auto* widget = qobject_cast<QWidget*>(target);
    return widget != nullptr && (widget == this || isAncestorOf(widget));
}

bool CLintallyDlg::eventFilter(QObject* watched, QEvent* event)
{
    return PreTranslateMessage(watched, event) || QDialog::eventFilter(watched, event);
}

bool CLintallyDlg::event(QEvent* event)
{
    // A repaint costs more than an entry's whole report: during a scan, paint at most
    // every kScanRepaintMs and let the held-back request collect everything changed.
    constexpr qint64 kScanRepaintMs = 40;
    if (event->type() == QEvent::UpdateRequest && IsScanning()) {
        if (m_lastRepaint.isValid() && m_lastRepaint.elapsed() < kScanRepaintMs) {
            if (!m_pRepaintTimer->isActive()) {
                m_pRepaintTimer->start(static_cast<int>(kScanRepaintMs - m_lastRepaint.elapsed()));
            }
            return true;
        }
        m_lastRepaint.restart();
    }
    return QDialog::event(event);
}

void CLintallyDlg::closeEvent(QCloseEvent* event)
{
    if (!ConfirmStop()) {
        event->ignore();
        return;
    }
    m_arrPatterns.clear();
    QDialog::closeEvent(event);
}

void CLintallyDlg::SetFormHeight(int heightDu)
{
    // The client area only: whatever frame the window manager draws comes on top, so each
    // form shows the same controls, and More then Less gives back the same geometry.
    setFixedHeight(m_pMenuBar->height() + DuToPixelsY(heightDu));
}

void CLintallyDlg::OnCommand(int commandId)
{
    switch (commandId) {
    case ID_FILE_EXIT: OnExit(); break;
    case ID_HELP_ABOUT: OnAbout(); break;
    case ID_HELP: OnHelp(); break;
    case ID_FILE_SELECTFOLDER: OnBrowse(); break;
    case ID_FILE_OPENFOLDER: OnOpenFolder(); break;
    case ID_LINEBREAK_CRLF: OnLineBreakCRLF(); break;
    case ID_LINEBREAK_CR: OnLineBreakCR(); break;
    default: break;
    }
}

void CLintallyDlg::OnExit()
{
    // Ends at once, without the stop question; a running scan is stopped and waited for
    // first, so it never reports into a dialog that has gone.
    StopAllWorkers();
    done(QDialog::Rejected);
}
