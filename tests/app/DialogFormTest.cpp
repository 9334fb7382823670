// The dialog as it opens: controls, presets, menus, keys, its two forms and the About box.
#include "DialogHarness.h"

#include "app/AboutDlg.h"
#include "app/DialogTemplate.h"
#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"
#include "dialog/PathText.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(DialogTemplate, EveryControlHasADistinctIdAndFitsTheDialog)
{
    std::set<int> ids;
    for (const ControlTemplate& control : kMainDialogControls) {
        if (control.id != IDC_STATIC) {
            EXPECT_TRUE(ids.insert(control.id).second) << control.objectName;
        }
        EXPECT_LE(control.rect.x + control.rect.w, MAIN_DIALOG_WIDTH_DU) << control.objectName;
    }
    EXPECT_EQ(ids.size(), 13u);
}

TEST(CLintallyDlg, OpensInTheShortFormWithTheFirstPresetsAndDefaultOptions)
{
    DialogHarness h;
    CLintallyDlg& dlg = *h.dialog;
    auto* types = qobject_cast<QComboBox*>(dlg.GetDlgItem(IDC_CB_FILETYPE));
    auto* destination = qobject_cast<QComboBox*>(dlg.GetDlgItem(IDC_CB_DESTINATION));
    const QStringList typePresets = {
        "*.c,*.cc,*.c++,*.cpp,*.h,*.hh,*.h++,*.hpp,*.cxx,*.hxx,*.inc,*.inl,*.asm,*.pas,*.frm,*.bas,"
        "*.php,*.php3,*.php4,*.asp,*.aspx,*.jsp,*.pl,*.cs,*.java",
        "*.c,*.cc,*.c++,*.cpp,*.h,*.h++,*.hh,*.inl,*.inc,*.cxx,*.hxx,*.hpp,*.asm",
        "*.c,*.cc,*.c++,*.cpp,*.h,*.h++,*.hh,*.inl,*.inc,*.cxx,*.hxx,*.hpp",
        "*.cpp,*.cc,*.c,*.cxx",
        "*.hxx,*.hpp,*.h,*.hh,*.inl,*.inc",
        "*.frm,*.bas",
        "*.pas",
        "*.php,*.php3,*.php4",
        "*.asp,*.aspx",
        "*.jsp",
        "*.pl",
        "*.cs",
        "*.java",
        "*.*",
    };
    const QStringList destinationPresets = {"D:\\lib_main", "E:\\lib_main", "N:\\lib_main"};
    const auto items = [](const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) {
            texts.push_back(box->itemText(i));
        }
        return texts;
    };
    EXPECT_EQ(items(types), typePresets);
    EXPECT_EQ(types->currentText(), typePresets[0]);
    EXPECT_EQ(items(destination), destinationPresets);
    // The dialog starts where it was started, a folder that exists.
    EXPECT_EQ(destination->currentText().toStdString(), StartDestination());

    EXPECT_TRUE(qobject_cast<QCheckBox*>(dlg.GetDlgItem(IDC_CHK_INCLUDE_SUB))->isChecked());
    EXPECT_TRUE(qobject_cast<QCheckBox*>(dlg.GetDlgItem(IDC_CHK_INCLUDE_REMED))->isChecked());
    EXPECT_FALSE(qobject_cast<QCheckBox*>(dlg.GetDlgItem(IDC_CHK_EXCLUDE_BLANK))->isChecked());
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("0"));
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
    EXPECT_EQ(h.Text(IDC_BTN_MORE), QStringLiteral("&More"));
    EXPECT_FALSE(dlg.GetDlgItem(IDC_EDIT_ROOT)->isVisible());
    EXPECT_FALSE(dlg.GetDlgItem(IDC_STATIC_ROOT)->isVisible());
    EXPECT_TRUE(dlg.GetDlgItem(IDC_BTN_CALCULATE)->isEnabled());

    auto* list = qobject_cast<QTableView*>(dlg.GetDlgItem(IDC_LST_RESULT));
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File name"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Code line(s)"));
    EXPECT_EQ(list->columnWidth(0), 273);
    EXPECT_EQ(list->columnWidth(1), 90);
    EXPECT_TRUE(list->showGrid());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Lintally"));
}

namespace {

// Where a control's top and bottom edges lie in the dialog's client area.
int TopIn(const QWidget& dlg, const QWidget* control)
{
    return control->mapTo(&dlg, QPoint(0, 0)).y();
}

int BottomIn(const QWidget& dlg, const QWidget* control)
{
    return TopIn(dlg, control) + control->height();
}

}  // namespace

TEST(CLintallyDlg, ShortFormEndsBelowTheCalculateRowAndLongFormBelowTheSaveButton)
{
    DialogHarness h;
    CLintallyDlg& dlg = *h.dialog;
    const int margin = DuToPixelsY(DIALOG_MARGIN_DU) + 1;
    const QRect shortForm = dlg.geometry();
    int rowBottom = 0;
    for (int id : {IDC_BTN_MORE, IDC_EDIT_TOTAL, IDC_BTN_CALCULATE}) {
        rowBottom = std::max(rowBottom, BottomIn(dlg, dlg.GetDlgItem(id)));
    }
    EXPECT_LE(rowBottom, dlg.height());
    EXPECT_GE(rowBottom + margin, dlg.height());
    EXPECT_GE(TopIn(dlg, dlg.GetDlgItem(IDC_LST_RESULT)), dlg.height());

    h.Click(IDC_BTN_MORE);
    EXPECT_EQ(h.Text(IDC_BTN_MORE), QStringLiteral("&Less"));
    const QRect longForm = dlg.geometry();
    const int saveBottom = BottomIn(dlg, dlg.GetDlgItem(IDC_BTN_SAVE));
    EXPECT_LE(saveBottom, dlg.height());
    EXPECT_GE(saveBottom + margin, dlg.height());
    EXPECT_LE(BottomIn(dlg, dlg.GetDlgItem(IDC_EDIT_ROOT)), dlg.height());

    // Each switch gives back exactly the geometry of the form it returns to.
    h.Click(IDC_BTN_MORE);
    EXPECT_EQ(h.Text(IDC_BTN_MORE), QStringLiteral("&More"));
    EXPECT_EQ(dlg.geometry(), shortForm);
    h.Click(IDC_BTN_MORE);
    EXPECT_EQ(dlg.geometry(), longForm);
    EXPECT_EQ(longForm.width(), shortForm.width());
}

TEST(CLintallyDlg, LineBreakMenuKeepsExactlyOneCheckMark)
{
    DialogHarness h;
    QAction* crlf = h.dialog->GetMenuItem(ID_LINEBREAK_CRLF);
    QAction* cr = h.dialog->GetMenuItem(ID_LINEBREAK_CR);
    ASSERT_NE(crlf, nullptr);
    ASSERT_NE(cr, nullptr);
    EXPECT_EQ(crlf->text(), QStringLiteral("CR+LF"));
    EXPECT_EQ(crlf->statusTip(), QStringLiteral("Canrage-Return + Line Feed"));
    EXPECT_EQ(cr->statusTip(), QStringLiteral("Canrage-Return only"));
    EXPECT_TRUE(crlf->isChecked());
    EXPECT_FALSE(cr->isChecked());
    cr->trigger();
    EXPECT_TRUE(cr->isChecked());
    EXPECT_FALSE(crlf->isChecked());
    crlf->trigger();
    EXPECT_TRUE(crlf->isChecked());
    EXPECT_FALSE(cr->isChecked());
}

TEST(CLintallyDlg, EnterAndEscapeDoNothing)
{
    DialogHarness h;
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root()));
    auto* destination = qobject_cast<QComboBox*>(h.dialog->GetDlgItem(IDC_CB_DESTINATION));
    QWidget* calculate = h.dialog->GetDlgItem(IDC_BTN_CALCULATE);
    ASSERT_TRUE(calculate->isEnabled());
    calculate->setFocus();
    QTest::keyClick(calculate, Qt::Key_Return);
    QTest::keyClick(destination->lineEdit(), Qt::Key_Enter);
    QTest::keyClick(h.dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(h.dialog->isVisible());
    EXPECT_FALSE(h.dialog->IsScanning());
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
    EXPECT_EQ(destination->count(), 3);
}

TEST(CLintallyDlg, HelpKeyOpensTheAboutBox)
{
    DialogHarness h;
    h.dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(h.dialog.get()));
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            shown = box->windowTitle();
            box->close();
        }
    });
    QTest::keyClick(h.dialog.get(), Qt::Key_F1);
    EXPECT_EQ(shown, QStringLiteral("About Lintally"));
}

TEST(CAboutDlg, ShowsTheVersionAndClosesWithOkOrEscape)
{
    CAboutDlg about(QIcon(QStringLiteral(":/lintally/lintally.png")));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Lintally"));
    const auto labels = about.findChildren<QLabel*>();
    QStringList texts;
    for (const QLabel* label : labels) {
        texts << label->text();
    }
    // The version, and no placeholder where a web address would go.
    texts.removeAll(QString());
    EXPECT_EQ(texts, QStringList{QStringLiteral("Lintally Version 1.0")});
    const auto icon = std::find_if(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->objectName() == QStringLiteral("iconAbout");
    });
    ASSERT_NE(icon, labels.end());
    EXPECT_FALSE((*icon)->pixmap().isNull());

    about.show();
    QTest::mouseClick(about.findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}
