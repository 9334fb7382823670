#include "DialogHarness.h"

#include "dialog/ControlIds.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

DialogHarness::DialogHarness() : dialog(std::make_unique<CLintallyDlg>(prompts))
{
    dialog->show();
}

DialogHarness::~DialogHarness() = default;

std::string DialogHarness::Root() const
{
    return folder.Root();
}

void DialogHarness::WriteFile(const std::string& relativePath, const std::string& content) const
{
    folder.Write(relativePath, content);
}

void DialogHarness::Type(int comboId, const QString& text)
{
    QLineEdit* edit = qobject_cast<QComboBox*>(dialog->GetDlgItem(comboId))->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void DialogHarness::Click(int buttonId)
{
    QTest::mouseClick(dialog->GetDlgItem(buttonId), Qt::LeftButton);
}

QString DialogHarness::Text(int controlId) const
{
    QWidget* widget = dialog->GetDlgItem(controlId);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        return button->text();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText();
    }
    return qobject_cast<QLineEdit*>(widget)->text();
}

void DialogHarness::Scan(const QString& typeList)
{
    Type(IDC_CB_FILETYPE, typeList);
    Type(IDC_CB_DESTINATION, QString::fromStdString(Root()));
    Click(IDC_BTN_CALCULATE);
    WaitForScanEnd();
}

bool DialogHarness::WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    // A real event loop: it wakes for each of the worker's calls at once, where a
    // sleep-and-poll wait would hold every call back by its sleep.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    check.start(1);
    if (!done()) {
        loop.exec();
    }
    return done();
}

bool DialogHarness::WaitForScanEnd(int timeoutMs)
{
    // The caption comes back with the worker's last call, just after it stops scanning.
    return WaitUntil(
        [this] {
            return !dialog->IsScanning() && Text(IDC_BTN_CALCULATE) == QStringLiteral("&Calculate");
        },
        timeoutMs);
}
