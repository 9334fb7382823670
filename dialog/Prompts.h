// IPrompts: every modal question, file and folder chooser the dialog shows, and the
// desktop's "open", behind one seam. CQtPrompts is the real one; tests put in a fake that
// answers at once, so no test ever waits on a real modal window.
//
// Called on the UI thread only. The dialog does not own its prompts; they outlive it.
#pragma once

#include "fileio/ItemIDList.h"

#include <QString>
#include <QStringList>

class QWidget;

struct SaveFileRequest
{
    QString title;
    QStringList filters;     // "description (pattern)", the first one preselected
    QString defaultSuffix;   // added to a typed name that has no suffix
    bool confirmOverwrite;   // ask before an existing file is chosen
};

class IPrompts
{
public:
    virtual ~IPrompts() = default;

    // A question with the question icon and the buttons Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // An error message with the error icon and the button OK.
    virtual void ShowError(QWidget* owner, const QString& caption, const QString& text) = 0;
    // The chosen file's path, or an empty text when the user cancelled.
    virtual QString GetSaveFileName(QWidget* owner, const SaveFileRequest& request) = 0;
    // The chosen folder as an item-id list that the caller releases once (FreeIDList), or
    // null when the user cancelled. The chooser opens on selection.
    virtual Brim::LPITEMIDLIST BrowseForFolder(QWidget* owner, const QString& title,
                                               const QString& selection) = 0;
    // Opens a file or folder with the program the desktop associates with it; the
    // desktop's own failure is not reported.
    virtual void OpenWithDesktop(const QString& path) = 0;
};
