#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

namespace hitungrama {

// One line of the tape: a calculation the engine finished, as it performed it.
struct TapeLine {
    // The database's row id: 0 until the line has committed. Ids only grow;
    // a deleted line's id is never given to another line.
    qint64 id = 0;
    // When the result appeared, in UTC (kept to the millisecond).
    QDateTime time;
    // "12 + 3 * 4", "sin(2 + 3)", "BIN(10)".
    QString expression;
    // "60", a binary numeral, or a message text such as
    // "Tidak ada pembagian dengan nol".
    QString result;
    // Whether binary mode was on.
    bool binary = false;

    // "expression = result", whole: what the list shows (eliding it), what
    // copy and export give, and what a search looks in.
    QString text() const;

    friend bool operator==(const TapeLine &a, const TapeLine &b)
    {
        return a.id == b.id && a.time == b.time && a.expression == b.expression
            && a.result == b.result && a.binary == b.binary;
    }
};

} // namespace hitungrama

Q_DECLARE_METATYPE(hitungrama::TapeLine)
