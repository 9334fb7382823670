// When Calculate may be pressed, and the root folder chosen by typing, picking or browsing.
#include "DialogHarness.h"

#include "app/ControlIds.h"
#include "fileio/ShellAllocator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class CountingAllocator final : public Brim::IShellAllocator
{
public:
    void* Alloc(std::uint32_t size) override
    {
        ++allocated;
        return std::malloc(size);
    }
    void Free(void* block) override
    {
        freed += block != nullptr ? 1 : 0;
        std::free(block);
    }
    int allocated = 0;
    int freed = 0;
};

} // namespace

TEST(CLintallyDlg, CalculateNeedsAnExistingRootAndATypeListAndSaysWhichIsMissing)
{
    const QString noRoot = QStringLiteral("The destination folder does not exist.");
    const QString noTypes = QStringLiteral("The file type list is empty.");
    DialogHarness h;
    QWidget* calculate = h.dialog->GetDlgItem(IDC_BTN_CALCULATE);
    QWidget* destination = h.dialog->GetDlgItem(IDC_CB_DESTINATION);
    // First run: the preset destination does not exist here.
    EXPECT_EQ(calculate->toolTip(), noRoot);
    EXPECT_EQ(destination->toolTip(), noRoot);

    const QString root = QString::fromStdString(h.Root());
    h.Type(IDC_CB_DESTINATION, root + QStringLiteral("/missin"));
    EXPECT_FALSE(calculate->isEnabled());
    h.MakeFolder("missing");
    QTest::keyClick(qobject_cast<QComboBox*>(destination)->lineEdit(), Qt::Key_G);
    EXPECT_TRUE(calculate->isEnabled());
    EXPECT_EQ(calculate->toolTip(), QString());
    EXPECT_EQ(destination->toolTip(), QString());

    h.Type(IDC_CB_FILETYPE, QString());
    EXPECT_FALSE(calculate->isEnabled());
    EXPECT_EQ(calculate->toolTip(), noTypes);
    EXPECT_EQ(h.dialog->GetDlgItem(IDC_CB_FILETYPE)->toolTip(), noTypes);
    EXPECT_EQ(destination->toolTip(), QString());
    h.Type(IDC_CB_DESTINATION, QStringLiteral("/nowhere"));
    EXPECT_EQ(calculate->toolTip(), noRoot + QLatin1Char('\n') + noTypes);
}

TEST(CLintallyDlg, TildeInTheDestinationMeansTheHomeFolder)
{
    DialogHarness h;
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(h.Root() + "/home"));
    h.WriteFile("home/project/a.c", "int a;\n");
    h.MakeFolder("homeproject");
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QStringLiteral("~/project"));
    EXPECT_TRUE(h.dialog->GetDlgItem(IDC_BTN_CALCULATE)->isEnabled());
    h.Click(IDC_BTN_CALCULATE);
    EXPECT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowNames(), std::vector<std::string>{"a.c"});
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString::fromStdString(h.Root() + "/home/project/"));

    h.Type(IDC_CB_DESTINATION, QStringLiteral("~"));
    EXPECT_TRUE(h.dialog->GetDlgItem(IDC_BTN_CALCULATE)->isEnabled());
    // Only a leading "~" on its own or before a separator is the home folder.
    h.Type(IDC_CB_DESTINATION, QStringLiteral("~project"));
    EXPECT_FALSE(h.dialog->GetDlgItem(IDC_BTN_CALCULATE)->isEnabled());
    qputenv("HOME", home);
}

TEST(CLintallyDlg, PickingADestinationOrATypePresetRechecksCalculate)
{
    DialogHarness h;
    auto* destination = qobject_cast<QComboBox*>(h.dialog->GetDlgItem(IDC_CB_DESTINATION));
    auto* types = qobject_cast<QComboBox*>(h.dialog->GetDlgItem(IDC_CB_FILETYPE));
    QWidget* calculate = h.dialog->GetDlgItem(IDC_BTN_CALCULATE);
    destination->addItem(QString::fromStdString(h.Root()));
    destination->setCurrentIndex(3);
    emit destination->activated(3);
    EXPECT_TRUE(calculate->isEnabled());

    h.Type(IDC_CB_FILETYPE, QString());
    ASSERT_FALSE(calculate->isEnabled());
    types->setCurrentIndex(3);
    emit types->activated(3);
    EXPECT_TRUE(calculate->isEnabled());

    destination->setCurrentIndex(0);
    emit destination->activated(0);
    EXPECT_FALSE(calculate->isEnabled());
}

TEST(CLintallyDlg, BrowseOpensOnTheRootAndSetsTheChosenFolderWithASeparator)
{
    CountingAllocator allocator;
    Brim::IShellAllocator* previous = Brim::SetShellAllocator(&allocator);
    {
        DialogHarness h;
        h.MakeFolder("project");
        h.prompts.browseResult = h.Root() + "/project";
        h.Type(IDC_CB_DESTINATION, QStringLiteral("/nowhere"));
        h.Click(IDC_BTN_BROWSE);
        EXPECT_EQ(h.prompts.browseTitle, QStringLiteral("Select destination folder"));
        EXPECT_EQ(h.prompts.browseSelection, QStringLiteral("/nowhere"));
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), QString::fromStdString(h.Root() + "/project/"));
        EXPECT_TRUE(h.dialog->GetDlgItem(IDC_BTN_CALCULATE)->isEnabled());

        h.prompts.browseResult.assign(1, '/');
        h.dialog->GetMenuItem(ID_FILE_SELECTFOLDER)->trigger();
        EXPECT_EQ(h.prompts.browseSelection, QString::fromStdString(h.Root() + "/project/"));
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), QStringLiteral("/"));

        h.prompts.browseResult.clear();
        h.Click(IDC_BTN_BROWSE);
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), QStringLiteral("/"));
    }
    Brim::SetShellAllocator(previous);
    EXPECT_EQ(allocator.allocated, 2);
    EXPECT_EQ(allocator.freed, 2);
}

TEST(CLintallyDlg, OpenFolderOpensTheRootTextAsItIs)
{
    DialogHarness h;
    h.dialog->GetMenuItem(ID_FILE_OPENFOLDER)->trigger();
    ASSERT_EQ(h.prompts.opened.size(), 1u);
    EXPECT_EQ(h.prompts.opened[0], QStringLiteral("D:\\lib_main"));
}
