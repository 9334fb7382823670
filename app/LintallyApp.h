// CLintallyApp: the application object. It starts Qt, installs the message presenter of
// the support library, runs the main dialog modally and ends when the dialog closes.
//
// One per process, created by main on the UI thread.
#pragma once

#include "app/QtMessagePresenter.h"
#include "app/QtPrompts.h"

#include <QApplication>

class CLintallyApp final : public QApplication
{
    Q_OBJECT

public:
    CLintallyApp(int& argc, char** argv);
    ~CLintallyApp() override;

    // Shows the main dialog modally and returns the process's exit status once it ends.
    int InitInstance();

private:
    CQtMessagePresenter m_presenter;
    Brim::IMessagePresenter* m_pPreviousPresenter = nullptr;
    CQtPrompts m_prompts;
};
