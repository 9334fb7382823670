#include "app/QtPrompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace {

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool CQtPrompts::AskYesNo(const std::string& caption, const std::string& text)
{
    return QMessageBox::question(QApplication::activeWindow(), Text(caption), Text(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void CQtPrompts::ShowError(const std::string& caption, const std::string& text)
{
    QMessageBox::critical(QApplication::activeWindow(), Text(caption), Text(text), QMessageBox::Ok);
}

std::string CQtPrompts::GetSaveFileName(const SaveFileRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), Text(request.title));
    SetUpSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

void CQtPrompts::SetUpSaveDialog(QFileDialog& dialog, const SaveFileRequest& request)
{
    // Qt's own dialog: it adds the default suffix before it asks about overwriting, so the
    // question always names the file that will really be replaced.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const SaveFileFilter& filter : request.filters) {
        filters << Text(filter.description) + QStringLiteral(" (") + Text(filter.pattern) +
                       QLatin1Char(')');
    }
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(Text(request.defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
}

Brim::LPITEMIDLIST CQtPrompts::BrowseForFolder(const std::string& title,
                                               const std::string& selection)
{
    const QString folder = QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), Text(title), QFile::decodeName(selection.c_str()),
        QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return nullptr;
    }
    return Brim::CreateIDListFromPath(QFile::encodeName(folder).constData());
}

void CQtPrompts::OpenWithDesktop(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}
