// FakePrompts: answers the dialog's questions and choosers at once, as a test scripts
// them, and records what was asked. Never opens a window.
#pragma once

#include "dialog/Prompts.h"

#include <functional>
#include <string>
#include <vector>

class FakePrompts final : public IPrompts
{
public:
    bool AskYesNo(const std::string& caption, const std::string& text) override
    {
        questions.push_back(caption + '|' + text);
        if (whileAsking) {
            whileAsking();
        }
        return answerYes;
    }
    void ShowError(const std::string&, const std::string& text) override { errors.push_back(text); }
    std::string GetSaveFileName(const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        return saveFileName;
    }
    Brim::LPITEMIDLIST BrowseForFolder(const std::string& title,
                                       const std::string& selection) override
    {
        browseTitle = title;
        browseSelection = selection;
        return browseResult.empty() ? nullptr : Brim::CreateIDListFromPath(browseResult.c_str());
    }
    void OpenWithDesktop(const std::string& path) override { opened.push_back(path); }

    bool answerYes = false;
    std::function<void()> whileAsking;
    std::string saveFileName;
    std::string browseResult;

    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<SaveFileRequest> saveRequests;
    std::string browseTitle;
    std::string browseSelection;
    std::vector<std::string> opened;
};
