#pragma once

#include "engine/panel.h"

#include <QString>

class QWidget;

namespace hitungrama {

struct MessageBoxRequest {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // The answer that Enter gives in a Yes/No box: No where Yes would lose
    // something.
    MessageAnswer defaultAnswer = MessageAnswer::Yes;
};

// Shows the window's modal message boxes. The program uses QMessageBox; the
// tests and the replay harness install a recorder that answers instead.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) = 0;
};

} // namespace hitungrama
