#include "app/QtMessagePresenter.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ToButtons(Brim::MessageButtons buttons)
{
    switch (buttons) {
    case Brim::MessageButtons::Ok: return QMessageBox::Ok;
    case Brim::MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Brim::MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case Brim::MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Brim::MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(Brim::MessageIcon icon)
{
    switch (icon) {
    case Brim::MessageIcon::None: return QMessageBox::NoIcon;
    case Brim::MessageIcon::Information: return QMessageBox::Information;
    case Brim::MessageIcon::Error: return QMessageBox::Critical;
    case Brim::MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

Brim::MessageChoice ToChoice(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Brim::MessageChoice::Ok;
    case QMessageBox::Yes: return Brim::MessageChoice::Yes;
    case QMessageBox::No: return Brim::MessageChoice::No;
    case QMessageBox::Cancel: return Brim::MessageChoice::Cancel;
    case QMessageBox::Retry: return Brim::MessageChoice::Retry;
    default: return Brim::MessageChoice::None;
    }
}

} // namespace

Brim::MessageChoice CQtMessagePresenter::Present(const char* caption, const char* text, Brim::MessageButtons buttons,
                                                 Brim::MessageIcon icon)
{
    QMessageBox box(ToIcon(icon), QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text), ToButtons(buttons),
                    QApplication::activeWindow());
    return ToChoice(box.exec());
}
