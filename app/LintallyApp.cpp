#include "app/LintallyApp.h"

#include "app/LintallyDlg.h"

CLintallyApp::CLintallyApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Lintally"));
    setApplicationVersion(QStringLiteral("1.0"));
    setDesktopFileName(QStringLiteral("lintally"));
}

int CLintallyApp::InitInstance()
{
    CLintallyDlg dialog(m_prompts);
    dialog.exec();
    return 0;
}
