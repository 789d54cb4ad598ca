#pragma once

#include <QString>

namespace hitungrama {

// Checks one JSON line of the replay harness: every key present with its
// type, values in their ranges, and a display that DisplayRule accepts.
class ReportCheck {
public:
    struct Facts {
        QString display;
        int boxes = 0;
        int beeps = 0;
        bool exited = false;
    };

    ReportCheck(int narrowOuterWidth, int wideOuterWidth);

    // Empty when the line is sound, else what is wrong with it. Fills facts
    // with what the run counts.
    QString check(const QString &json, const QString &typed, Facts *facts) const;

private:
    int m_narrow;
    int m_wide;
};

} // namespace hitungrama
