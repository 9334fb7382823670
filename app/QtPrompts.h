// CQtPrompts: IPrompts on Qt's message boxes and file dialogs and on the desktop services.
//
// Stateless; UI thread only.
#pragma once

#include "app/Prompts.h"

class CQtPrompts final : public IPrompts
{
public:
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    void ShowError(QWidget* owner, const QString& caption, const QString& text) override;
    QString GetSaveFileName(QWidget* owner, const SaveFileRequest& request) override;
    Brim::LPITEMIDLIST BrowseForFolder(QWidget* owner, const QString& title,
                                       const QString& selection) override;
    void OpenWithDesktop(const QString& path) override;
};
