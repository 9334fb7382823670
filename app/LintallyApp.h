// CLintallyApp: the application object. It starts Qt, runs the main dialog modally and
// ends when the dialog closes.
//
// One per process, created by main on the UI thread.
#pragma once

#include "app/QtPrompts.h"

#include <QApplication>

class CLintallyApp final : public QApplication
{
    Q_OBJECT

public:
    CLintallyApp(int& argc, char** argv);

    // Shows the main dialog modally and returns the process's exit status once it ends.
    int InitInstance();

private:
    CQtPrompts m_prompts;
};
