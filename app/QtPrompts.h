// CQtPrompts: IPrompts on Qt's message boxes and file dialogs and on the desktop services.
//
// Stateless; UI thread only.
#pragma once

#include "app/Prompts.h"

class QFileDialog;

class CQtPrompts final : public IPrompts
{
public:
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
    QString GetSaveFileName(QWidget* owner, const SaveFileRequest& request) override;
    Brim::LPITEMIDLIST BrowseForFolder(QWidget* owner, const QString& title,
                                       const QString& selection) override;
    void OpenWithDesktop(const QString& path) override;

    // Sets up Qt's own save dialog for request: its filters are listed by their
    // descriptions alone, the default suffix is added before the overwrite question.
    static void SetUpSaveDialog(QFileDialog& dialog, const SaveFileRequest& request);
};
