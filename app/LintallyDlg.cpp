#include "app/LintallyDlg.h"

#include "app/AboutDlg.h"
#include "app/DialogTemplate.h"
#include "app/ElidedNameDelegate.h"
#include "app/ResultModel.h"
#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>

// The icon lives in this library's resources; a static library must register them itself.
static void InitAppResources()
{
    Q_INIT_RESOURCE(lintally);
}

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

}  // namespace

CLintallyDlg::CLintallyDlg(IPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_core(*this, prompts)
{
    InitAppResources();
    m_hIcon = QIcon(QStringLiteral(":/lintally/lintally.png"));
    setWindowTitle(QString::fromUtf8(MAIN_DIALOG_CAPTION));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(DialogFont(font()));
    CreateControls();
    ConnectControls();
    m_pRepaintTimer = new QTimer(this);
    m_pRepaintTimer->setSingleShot(true);
    connect(m_pRepaintTimer, &QTimer::timeout, this, [this] {
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
    qApp->installEventFilter(this);
    // The window manager owns the system menu here; About stays in the Help menu.
    setWindowIcon(m_hIcon);
    m_lstResult->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstResult->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstResult->setColumnWidth(CResultModel::FileNameColumn, RESULT_NAME_COLUMN_WIDTH);
    m_lstResult->setColumnWidth(CResultModel::CodeLinesColumn, RESULT_LINES_COLUMN_WIDTH);
    // Both columns keep their widths, so the counts stay in view; long names are shortened.
    m_lstResult->setItemDelegateForColumn(CResultModel::FileNameColumn,
                                          new CElidedNameDelegate(m_lstResult));
    m_lstResult->setShowGrid(true);
    m_core.OnInitDialog();
    qobject_cast<QComboBox*>(GetDlgItem(IDC_CB_FILETYPE))->lineEdit()->setCursorPosition(0);
}

CLintallyDlg::~CLintallyDlg()
{
    qApp->removeEventFilter(this);
    m_core.StopAllWorkers();
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
    const int width = DuToPixelsX(MAIN_DIALOG_WIDTH_DU);
    FitCaptions(m_pClient, width - DuToPixelsX(5));
    m_pMenuBar->setGeometry(0, 0, width, menuHeight);
    m_pClient->setGeometry(0, menuHeight, width, DuToPixelsY(MAIN_DIALOG_HEIGHT_DU));
    setFixedWidth(width);

    m_lstResult = qobject_cast<QTableView*>(GetDlgItem(IDC_LST_RESULT));
    m_pResultModel = new CResultModel(m_core.GetRows(), this);
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
            connect(action, &QAction::triggered, this,
                    [this, command = id.toInt()] { m_core.OnCommand(command); });
        }
    }
    for (const int id : {IDC_BTN_BROWSE, IDC_BTN_CALCULATE, IDC_BTN_MORE, IDC_BTN_SAVE}) {
        connect(qobject_cast<QPushButton*>(GetDlgItem(id)), &QPushButton::clicked, this,
                [this, id] { m_core.OnCommand(id); });
    }
    connect(qobject_cast<QCheckBox*>(GetDlgItem(IDC_CHK_INCLUDE_REMED)), &QCheckBox::clicked, this,
            [this] { m_core.OnIncludeRemed(); });
    auto* fileType = qobject_cast<QComboBox*>(GetDlgItem(IDC_CB_FILETYPE));
    auto* destination = qobject_cast<QComboBox*>(GetDlgItem(IDC_CB_DESTINATION));
    connect(fileType->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_core.OnEditChangeFileType(); });
    connect(fileType, &QComboBox::activated, this, [this] { m_core.OnSelChangeFileType(); });
    connect(destination->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_core.OnEditChangeDestination(); });
    connect(destination, &QComboBox::activated, this, [this] { m_core.OnSelChangeDestination(); });
    connect(m_lstResult, &QTableView::doubleClicked, this, [this] { m_core.OnDblclkResult(); });
}

QWidget* CLintallyDlg::GetDlgItem(int id) const
{
    const auto widgets = findChildren<QWidget*>();
    const auto found = std::find_if(widgets.begin(), widgets.end(), [id](const QWidget* widget) {
        const QVariant value = widget->property("controlId");
        return value.isValid() && value.toInt() == id && id != IDC_STATIC;
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

std::string CLintallyDlg::GetText(int id) const
{
    QWidget* widget = GetDlgItem(id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return ToUtf8(button->text());
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return ToUtf8(combo->currentText());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return ToUtf8(edit->text());
    }
    return {};
}

void CLintallyDlg::SetText(int id, const std::string& text)
{
    QWidget* widget = GetDlgItem(id);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(FromUtf8(text));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setEditText(FromUtf8(text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(FromUtf8(text));
    }
}

std::string CLintallyDlg::GetSelectedItemText(int id) const
{
    const auto* combo = qobject_cast<QComboBox*>(GetDlgItem(id));
    return ToUtf8(combo->itemText(combo->currentIndex()));
}

void CLintallyDlg::AddComboItem(int id, const std::string& text)
{
    qobject_cast<QComboBox*>(GetDlgItem(id))->addItem(FromUtf8(text));
}

bool CLintallyDlg::HasComboItem(int id, const std::string& text) const
{
    return qobject_cast<QComboBox*>(GetDlgItem(id))
               ->findText(FromUtf8(text), Qt::MatchFixedString) >= 0;
}

void CLintallyDlg::SetEnabled(int id, bool enabled)
{
    GetDlgItem(id)->setEnabled(enabled);
}

void CLintallyDlg::SetShown(int id, bool shown)
{
    GetDlgItem(id)->setVisible(shown);
}

bool CLintallyDlg::IsChecked(int id) const
{
    return qobject_cast<QCheckBox*>(GetDlgItem(id))->isChecked();
}

void CLintallyDlg::SetChecked(int id, bool checked)
{
    qobject_cast<QCheckBox*>(GetDlgItem(id))->setChecked(checked);
}

void CLintallyDlg::SetToolTip(int id, const std::string& text)
{
    GetDlgItem(id)->setToolTip(FromUtf8(text));
}

void CLintallyDlg::SetMenuCheck(int commandId, bool checked)
{
    GetMenuItem(commandId)->setChecked(checked);
}

void CLintallyDlg::InsertRow(int index, const lintally::scan::Row&)
{
    m_pResultModel->RowInserted(index);
}

void CLintallyDlg::DeleteAllRows()
{
    m_pResultModel->RowsCleared();
}

std::vector<int> CLintallyDlg::GetSelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_lstResult->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    return rows;
}

void CLintallyDlg::SetForm(Form form)
{
    // The client area only: whatever frame the window manager draws comes on top, so each
    // form shows the same controls, and More then Less gives back the same geometry.
    const int heightDu = form == Form::Long ? LongFormHeightDu() : ShortFormHeightDu();
    setFixedHeight(m_pMenuBar->height() + DuToPixelsY(heightDu));
}

void CLintallyDlg::ShowAbout()
{
    CAboutDlg about(m_hIcon, this);
    about.exec();
}

void CLintallyDlg::EndDialog()
{
    done(QDialog::Rejected);
}

void CLintallyDlg::PostWorkerReports()
{
    // Queued: the worker goes on at once; the UI thread takes the reports when it gets here.
    // Called by name, so the message carries nothing the worker allocated: the reports
    // travel through the worker's mutex-guarded mailbox alone, a hand-off every checker of
    // threads can follow (Qt's own event queue locks in ways ThreadSanitizer cannot see).
    QMetaObject::invokeMethod(this, "TakeWorkerReports", Qt::QueuedConnection);
}

void CLintallyDlg::TakeWorkerReports()
{
    m_core.OnWorkerReports();
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
    if (!m_core.OnClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
