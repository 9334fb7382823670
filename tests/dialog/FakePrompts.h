// FakePrompts: answers the dialog's questions and choosers at once, as a test scripts
// them, and records what was asked. Never opens a window.
#pragma once

#include "app/Prompts.h"

#include <functional>
#include <string>
#include <vector>

class FakePrompts final : public IPrompts
{
public:
    bool AskYesNo(QWidget*, const QString& caption, const QString& text) override
    {
        questions.push_back(caption + QLatin1Char('|') + text);
        if (whileAsking) {
            whileAsking();
        }
        return answerYes;
    }
    void ShowError(QWidget*, const QString&, const QString& text) override { errors.push_back(text); }
    QString GetSaveFileName(QWidget*, const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        return saveFileName;
    }
    Brim::LPITEMIDLIST BrowseForFolder(QWidget*, const QString& title, const QString& selection) override
    {
        browseTitle = title;
        browseSelection = selection;
        return browseResult.empty() ? nullptr : Brim::CreateIDListFromPath(browseResult.c_str());
    }
    void OpenWithDesktop(const QString& path) override { opened.push_back(path); }

    bool answerYes = false;
    std::function<void()> whileAsking;
    QString saveFileName;
    std::string browseResult;

    std::vector<QString> questions;
    std::vector<QString> errors;
    std::vector<SaveFileRequest> saveRequests;
    QString browseTitle;
    QString browseSelection;
    std::vector<QString> opened;
};
