// CQtMessagePresenter: shows the support library's messages (Brim::ShowMessage) in a
// QMessageBox with the asked-for buttons and icon.
//
// Installed by CLintallyApp for the application's lifetime; UI thread only.
#pragma once

#include "sysutil/MessagePresenter.h"

class CQtMessagePresenter final : public Brim::IMessagePresenter
{
public:
    Brim::MessageChoice Present(const char* caption, const char* text, Brim::MessageButtons buttons,
                                Brim::MessageIcon icon) override;
};
