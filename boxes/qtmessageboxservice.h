#pragma once

#include "boxes/messageboxservice.h"

namespace hitungrama {

// Modal QMessageBox with exactly the requested text, title, icon and buttons.
// Closing a Yes/No box without choosing answers No. The save dialog is
// QFileDialog's (the desktop's own where the platform has one).
class QtMessageBoxService : public MessageBoxService {
public:
    // The least width of a box titled `title`: its title in the title bar's
    // font, with room for the title bar's icon and buttons, so that the
    // window manager need not cut the title short.
    static int widthForTitle(const QString &title, const QWidget &box);

    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override;
    SaveFileAnswer chooseSaveFile(QWidget *parent, const SaveFileRequest &request) override;
};

} // namespace hitungrama
