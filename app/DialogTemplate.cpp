#include "app/DialogTemplate.h"

#include "dialog/ControlIds.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>

#include <QFontMetricsF>

#include <algorithm>
#include <iterator>

#define TEMPLATE_CONTROL(id, kind, caption, x, y, w, h, name) \
    {id, ControlKind::kind, caption, {x, y, w, h}, name},

const ControlTemplate kMainDialogControls[19] = {MAIN_DIALOG_CONTROLS(TEMPLATE_CONTROL)};

const MenuItemTemplate kMainMenu[7] = {
    {"&File", nullptr, "&Open Folder", ID_FILE_OPENFOLDER, false, nullptr},
    {"&File", nullptr, "Select &Folder", ID_FILE_SELECTFOLDER, false, nullptr},
    {"&File", nullptr, nullptr, 0, false, nullptr},
    {"&File", nullptr, "E&xit", ID_FILE_EXIT, false, nullptr},
    {"Option", "Line break", "CR+LF", ID_LINEBREAK_CRLF, true, "Canrage-Return + Line Feed"},
    {"Option", "Line break", "CR", ID_LINEBREAK_CR, false, "Canrage-Return only"},
    {"&Help", nullptr, "&About", ID_HELP_ABOUT, false, nullptr},
};

const ControlTemplate kAboutControls[4] = {ABOUT_BOX_CONTROLS(TEMPLATE_CONTROL)};

#undef TEMPLATE_CONTROL

DuRect ShownRectDu(const ControlTemplate& control)
{
    DuRect rect = control.rect;
    if (control.kind == ControlKind::ComboBox) {
        rect.h = kComboClosedHeightDu;
    }
    return rect;
}

int ShortFormHeightDu()
{
    const auto calculate = std::find_if(
        std::begin(kMainDialogControls), std::end(kMainDialogControls),
        [](const ControlTemplate& control) { return control.id == IDC_BTN_CALCULATE; });
    const int rowTop = calculate->rect.y;
    const int rowBottom = calculate->rect.y + calculate->rect.h;
    int bottom = rowBottom;
    for (const ControlTemplate& control : kMainDialogControls) {
        const DuRect rect = ShownRectDu(control);
        if (rect.y < rowBottom && rect.y + rect.h > rowTop) {
            bottom = std::max(bottom, rect.y + rect.h);
        }
    }
    return bottom + DIALOG_MARGIN_DU;
}

QFont DialogFont(const QFont& base)
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    QFont font = base;
    for (int pixels = 11; pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(alphabet) / alphabet.size() <= 6.25) {
            break;
        }
    }
    return font;
}

QRect DuToPixels(const DuRect& rect)
{
    return QRect(DuToPixelsX(rect.x), DuToPixelsY(rect.y), DuToPixelsX(rect.w),
                 DuToPixelsY(rect.h));
}

namespace {

QComboBox* CreateComboBox(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    // Like the designed drop-down box: no completion, and Enter never adds an entry.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

QLineEdit* CreateEdit(ControlKind kind, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(kind != ControlKind::Edit);
    if (kind == ControlKind::TotalEdit) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    return edit;
}

QTableView* CreateListView(QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setFrameShadow(QFrame::Sunken);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Compact rows, one text line each, as in a report-view list.
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    // The columns fit the list; a name wider than its column is shortened (see the dialog),
    // never scrolled to.
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return view;
}

QWidget* CreateWidget(const ControlTemplate& control, QWidget* parent)
{
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::Icon:
        return new QLabel(parent);
    case ControlKind::ComboBox:
        return CreateComboBox(parent);
    case ControlKind::PushButton:
        return new QPushButton(caption, parent);
    case ControlKind::DefPushButton: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault(true);
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit:
    case ControlKind::TotalEdit:
        return CreateEdit(control.kind, parent);
    case ControlKind::ListView:
        return CreateListView(parent);
    }
    return new QWidget(parent);
}

}  // namespace

QWidget* CreateControl(const ControlTemplate& control, QWidget* parent)
{
    QWidget* widget = CreateWidget(control, parent);
    widget->setObjectName(QString::fromUtf8(control.objectName));
    widget->setProperty("controlId", control.id);
    widget->setGeometry(DuToPixels(ShownRectDu(control)));
    if (control.kind == ControlKind::GroupBox) {
        widget->lower();
    }
    return widget;
}

void FitCaptions(QWidget* parent, int width)
{
    const auto children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* widget : children) {
        if (qobject_cast<QLabel*>(widget) == nullptr &&
            qobject_cast<QCheckBox*>(widget) == nullptr) {
            continue;
        }
        const QRect rect = widget->geometry();
        int limit = width - rect.x();
        for (const QWidget* other : children) {
            const QRect next = other->geometry();
            if (other != widget && qobject_cast<const QGroupBox*>(other) == nullptr &&
                next.x() > rect.x() && next.top() < rect.bottom() && next.bottom() > rect.top()) {
                limit = std::min(limit, next.x() - rect.x() - 2);
            }
        }
        widget->resize(std::max(rect.width(), std::min(widget->sizeHint().width(), limit)),
                       rect.height());
    }
}

QMenuBar* CreateMainMenu(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("mainMenu"));
    QMenu* menu = nullptr;
    QMenu* submenu = nullptr;
    QActionGroup* group = nullptr;
    for (const MenuItemTemplate& item : kMainMenu) {
        if (menu == nullptr || menu->title() != QString::fromUtf8(item.menu)) {
            menu = bar->addMenu(QString::fromUtf8(item.menu));
            submenu = nullptr;
        }
        QMenu* target = menu;
        if (item.submenu != nullptr) {
            if (submenu == nullptr) {
                submenu = menu->addMenu(QString::fromUtf8(item.submenu));
                group = new QActionGroup(submenu);
                group->setExclusive(true);
            }
            target = submenu;
        }
        if (item.text == nullptr) {
            target->addSeparator();
            continue;
        }
        QAction* action = target->addAction(QString::fromUtf8(item.text));
        action->setProperty("commandId", item.commandId);
        if (item.prompt != nullptr) {
            action->setStatusTip(QString::fromUtf8(item.prompt));
        }
        if (item.submenu != nullptr) {
            action->setCheckable(true);
            action->setChecked(item.checked);
            group->addAction(action);
        }
    }
    return bar;
}
