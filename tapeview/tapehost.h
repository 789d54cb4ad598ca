#pragma once

#include "boxes/messageboxservice.h"

#include <QString>

class QWidget;

namespace hitungrama {

// What the tape window needs of the calculator's window.
class TapeHost {
public:
    virtual ~TapeHost() = default;

    // The calculator's window: the tape window stands beside it, shows its
    // icon and gives the keyboard back to it.
    virtual QWidget &mainWindow() = 0;
    // Modal boxes, standing over `over`.
    virtual MessageAnswer showMessage(const MessageBoxRequest &request, QWidget *over) = 0;
    virtual SaveFileAnswer chooseSaveFile(const SaveFileRequest &request, QWidget *over) = 0;
    // "Pakai": a line's result into the display by the paste rule; a binary
    // numeral only in binary mode. False when refused (after the beep).
    virtual bool useResult(const QString &result, bool binaryNumeral) = 0;
    // An input refused: a beep.
    virtual void refuseInput() = 0;
    // The main window's OFF, with its question.
    virtual void quit() = 0;
};

} // namespace hitungrama
