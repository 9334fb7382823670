#include "app/QtPrompts.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

bool CQtPrompts::AskYesNo(QWidget* owner, const QString& caption, const QString& text)
{
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void CQtPrompts::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox::critical(owner, caption, text, QMessageBox::Ok);
}

QString CQtPrompts::GetSaveFileName(QWidget* owner, const SaveFileRequest& request)
{
    QFileDialog dialog(owner, request.title);
    SetUpSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void CQtPrompts::SetUpSaveDialog(QFileDialog& dialog, const SaveFileRequest& request)
{
    // Qt's own dialog: it adds the default suffix before it asks about overwriting, so the
    // question always names the file that will really be replaced.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
}

Brim::LPITEMIDLIST CQtPrompts::BrowseForFolder(QWidget* owner, const QString& title, const QString& selection)
{
    const QString folder = QFileDialog::getExistingDirectory(owner, title, selection, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
        return nullptr;
    }
    return Brim::CreateIDListFromPath(QFile::encodeName(folder).constData());
}

void CQtPrompts::OpenWithDesktop(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
