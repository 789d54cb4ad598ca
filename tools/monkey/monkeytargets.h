#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace hitungrama {

// What the action generator may aim at, read from the live window before
// each action.
struct MonkeyTargets {
    struct Button {
        QString ref;     // name with index, "XPButton1(7)"
        QString caption; // as shown; empty when it cannot serve as a reference
    };

    std::vector<Button> buttons;
    std::vector<QString> labels;    // references of every label
    std::vector<QRect> occupied;    // visible controls, in window coordinates
    QString toggleRef;              // the width toggle by name
    QString toggleCaption;          // and its current caption
    QString memoryStoreRef;         // the button that stores into memory
    QString tableRef;               // the button that shows the table
    QSize window;                   // client size
    bool tapeShown = false;         // the tape window is open
    int tapeLines = 0;              // the lines its list shows
};

} // namespace hitungrama
