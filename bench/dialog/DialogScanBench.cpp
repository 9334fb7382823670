// Times a scan of a generated tree of 20,000 files through the real dialog, offscreen, and
// prints the wall time as a ratio to (entries x 1 ms), the pace the stop poll sets by
// design. For comparison it also times the bare walk with the same 1 ms poll and nothing
// else, so the dialog's own share (rows, totals, cross-thread calls) shows apart from the
// timer's slack. Target: a ratio of at most 1.3.
#include "app/LintallyDlg.h"
#include "app/ResultModel.h"
#include "dialog/ControlIds.h"
#include "scan/StopToken.h"
#include "scan/Walker.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 1000;

class NoPrompts final : public IPrompts
{
public:
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void ShowError(const std::string&, const std::string&) override {}
    std::string GetSaveFileName(const SaveFileRequest&) override { return {}; }
    Brim::LPITEMIDLIST BrowseForFolder(const std::string&, const std::string&) override
    {
        return nullptr;
    }
    void OpenWithDesktop(const std::string&) override {}
};

// The walk with the dialog's 1 ms stop poll and nothing else.
class PacedOnly final : public lintally::scan::IWalkVisitor
{
public:
    bool Poll() override { return !m_stop.WaitFor(std::chrono::milliseconds(1)); }
    bool IncludeSubFolders() override { return true; }
    void OnFileMatched(const std::string&, std::string_view) override {}

private:
    lintally::scan::StopToken m_stop;
};

void WriteTree(const std::filesystem::path& root)
{
    char name[32];
    for (int folder = 0; folder < kFolders; ++folder) {
        std::snprintf(name, sizeof name, "dir%02d", folder);
        const auto dir = root / name;
        std::filesystem::create_directories(dir);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            std::snprintf(name, sizeof name, "f%04d.c", file);
            std::ofstream(dir / name) << "int a;\n// b\n\nint c;\n";
        }
    }
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeDialogScan(const QString& root)
{
    NoPrompts prompts;
    CLintallyDlg dialog(prompts);
    dialog.show();
    QLineEdit* destination =
        qobject_cast<QComboBox*>(dialog.GetDlgItem(IDC_CB_DESTINATION))->lineEdit();
    destination->setText(root);
    emit destination->textEdited(root);
    auto* calculate = qobject_cast<QPushButton*>(dialog.GetDlgItem(IDC_BTN_CALCULATE));
    const auto start = std::chrono::steady_clock::now();
    calculate->click();
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!dialog.IsScanning() && calculate->text() == QStringLiteral("&Calculate")) {
            loop.quit();
        }
    });
    check.start(20);
    loop.exec();
    const double seconds = SecondsSince(start);
    if (dialog.GetResultModel().rowCount() != kFolders * kFilesPerFolder) {
        std::fprintf(stderr, "bench_dialog: %d rows, expected %d\n",
                     dialog.GetResultModel().rowCount(), kFolders * kFilesPerFolder);
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir folder;
    WriteTree(folder.path().toStdString());
    const int entries = kFolders + kFolders * kFilesPerFolder;
    const double pace = entries * 0.001;

    PacedOnly paced;
    const auto start = std::chrono::steady_clock::now();
    lintally::scan::WalkFolder(folder.path().toStdString(), {".c"}, paced);
    const double walkSeconds = SecondsSince(start);
    const double dialogSeconds = TimeDialogScan(folder.path());

    std::printf("entries                 %d (%d files in %d folders)\n", entries,
                kFolders * kFilesPerFolder, kFolders);
    std::printf("entries x 1 ms          %.2f s\n", pace);
    std::printf("walk with 1 ms poll     %.2f s   ratio %.3f\n", walkSeconds, walkSeconds / pace);
    std::printf("dialog scan             %.2f s   ratio %.3f   (target <= 1.3)\n", dialogSeconds,
                dialogSeconds / pace);
    return dialogSeconds / pace <= 1.3 ? 0 : 1;
}
