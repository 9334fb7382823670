#include "app/AboutDlg.h"

#include "app/DialogTemplate.h"
#include "dialog/ControlIds.h"
#include "dialog/DialogLayout.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(ABOUT_BOX_CAPTION));
    setFont(DialogFont(font()));
    for (const ControlTemplate& control : kAboutControls) {
        QWidget* widget = CreateControl(control, this);
        if (control.kind == ControlKind::Icon) {
            const QRect rect = widget->geometry();
            static_cast<QLabel*>(widget)->setPixmap(
                icon.pixmap(std::min(rect.width(), rect.height())));
        }
        if (control.id == IDOK) {
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    &QDialog::accept);
        }
    }
    FitCaptions(this, DuToPixelsX(ABOUT_BOX_WIDTH_DU));
    setFixedSize(DuToPixelsX(ABOUT_BOX_WIDTH_DU), DuToPixelsY(ABOUT_BOX_HEIGHT_DU));
}
