// CAboutDlg: the About box, "About Lintally", with the application icon, the version line,
// the web address and an OK button that ends it (so do Escape and the close box).
//
// Shown modally by the main dialog; UI thread only.
#pragma once

#include <QDialog>
#include <QIcon>

class CAboutDlg final : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(const QIcon& icon, QWidget* parent = nullptr);
};
