#pragma once

#include "engine/panel.h"

#include <QString>
#include <QStringList>

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

struct SaveFileRequest {
    QString caption;
    QString path;        // the file suggested
    QStringList filters; // "CSV (*.csv)", ...; the first is chosen first
    // Each filter's suffix ("csv"), added to a name typed without one, so
    // that the dialog asks before replacing the file really written.
    QStringList suffixes;
};

struct SaveFileAnswer {
    QString path; // empty: cancelled; else with the suffix the dialog added
    int filter = 0;
};

// Shows the window's modal dialogs: its message boxes and its save dialog.
// The program uses QMessageBox and QFileDialog; the tests and the replay
// harness install a recorder that answers instead, so that no real dialog
// ever waits for a user there.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(QWidget *parent, const MessageBoxRequest &request) = 0;
    virtual SaveFileAnswer chooseSaveFile(QWidget *parent, const SaveFileRequest &request) = 0;
};

} // namespace hitungrama
