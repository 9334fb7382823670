// Drives the real dialog for a screenshot: scans the folder given on the command line,
// switches to the long form and saves the window as a PNG.
// Usage: lintally_screenshot <folder> <output.png>
#include "app/ControlIds.h"
#include "app/LintallyDlg.h"
#include "app/QtPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>

namespace {

bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lintally_screenshot <folder> <output.png>\n");
        return 2;
    }
    CQtPrompts prompts;
    CLintallyDlg dialog(prompts);
    dialog.show();
    QLineEdit* destination = qobject_cast<QComboBox*>(dialog.GetDlgItem(IDC_CB_DESTINATION))->lineEdit();
    destination->setText(QString::fromLocal8Bit(argv[1]));
    emit destination->textEdited(destination->text());
    qobject_cast<QPushButton*>(dialog.GetDlgItem(IDC_BTN_CALCULATE))->click();
    if (!WaitFor([&dialog] { return !dialog.IsScanning(); }, 60000)) {
        std::fprintf(stderr, "lintally_screenshot: the scan did not end\n");
        return 1;
    }
    qobject_cast<QPushButton*>(dialog.GetDlgItem(IDC_BTN_MORE))->click();
    WaitFor([] { return false; }, 300);
    if (!dialog.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "lintally_screenshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
