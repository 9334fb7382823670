// CQtPrompts: the dialog's questions and choosers as Qt's message boxes and file dialogs,
// owned by the active window.
//
// UI thread only.
#pragma once

#include "dialog/Prompts.h"

class QFileDialog;

class CQtPrompts final : public IPrompts
{
public:
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    void ShowError(const std::string& caption, const std::string& text) override;
    std::string GetSaveFileName(const SaveFileRequest& request) override;
    Brim::LPITEMIDLIST BrowseForFolder(const std::string& title,
                                       const std::string& selection) override;
    void OpenWithDesktop(const std::string& path) override;

    // Sets up Qt's own save dialog for request: its filters are listed by their
    // descriptions alone, the default suffix is added before the overwrite question.
    static void SetUpSaveDialog(QFileDialog& dialog, const SaveFileRequest& request);
};
