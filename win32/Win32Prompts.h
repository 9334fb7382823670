// CWin32Prompts: the dialog's questions and choosers as Windows' own: MessageBoxA,
// GetSaveFileNameA, the shell's folder browser and ShellExecuteA, owned by one window.
// Fixed texts come in UTF-8 and are shown in the ANSI code page; paths are ANSI bytes.
//
// UI thread only.
#pragma once

#include "dialog/Prompts.h"

#include <windows.h>

// windows.h maps these names to its own A/W functions; here they are the dialog's.
#undef GetSaveFileName
#undef SetForm

class CWin32Prompts final : public IPrompts
{
public:
    // The window the boxes belong to (null: none yet).
    void SetOwner(HWND owner) { m_owner = owner; }

    bool AskYesNo(const std::string& caption, const std::string& text) override;
    void ShowError(const std::string& caption, const std::string& text) override;
    std::string GetSaveFileName(const SaveFileRequest& request) override;
    Brim::LPITEMIDLIST BrowseForFolder(const std::string& title,
                                       const std::string& selection) override;
    void OpenWithDesktop(const std::string& path) override;

private:
    HWND m_owner = nullptr;
};

// text (UTF-8) in the ANSI code page; characters it lacks become its default character.
[[nodiscard]] std::string Utf8ToAnsi(const std::string& text);
