#pragma once

#include "window/messageboxservice.h"

namespace hitungrama {

// Modal QMessageBox with exactly the requested text, title, icon and buttons.
// Closing a Yes/No box without choosing answers No.
class QtMessageBoxService : public MessageBoxService {
public:
    MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) override;
};

} // namespace hitungrama
