// IPrompts: every modal question, file and folder chooser the dialog shows, and the
// desktop's "open", behind one seam. Each view has its real one (message boxes and choosers
// of its toolkit, owned by its window); tests put in a fake that answers at once, so no
// test ever waits on a real modal window. Texts are UTF-8; paths are file-system bytes.
//
// Called on the UI thread only. The dialog does not own its prompts; they outlive it.
#pragma once

#include "fileio/ItemIDList.h"

#include <string>
#include <vector>

struct SaveFileFilter
{
    std::string description;  // "Text documents (*.txt)"
    std::string pattern;      // "*.txt"
};

struct SaveFileRequest
{
    std::string title;
    std::vector<SaveFileFilter> filters;  // the first one preselected
    std::string defaultSuffix;            // added to a typed name that has no suffix
    bool confirmOverwrite;                // ask before an existing file is chosen
};

class IPrompts
{
public:
    virtual ~IPrompts() = default;

    // A question with the question icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
    // An error message with the error icon and the button OK.
    virtual void ShowError(const std::string& caption, const std::string& text) = 0;
    // The chosen file's path, or an empty text when the user cancelled.
    virtual std::string GetSaveFileName(const SaveFileRequest& request) = 0;
    // The chosen folder as an item-id list that the caller releases once (FreeIDList), or
    // null when the user cancelled. The chooser opens on selection.
    virtual Brim::LPITEMIDLIST BrowseForFolder(const std::string& title,
                                               const std::string& selection) = 0;
    // Opens a file or folder with the program the desktop associates with it; the
    // desktop's own failure is not reported.
    virtual void OpenWithDesktop(const std::string& path) = 0;
};
