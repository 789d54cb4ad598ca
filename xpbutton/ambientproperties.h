#pragma once

#include <QFont>
#include <QString>
#include <QtGlobal>

namespace hitungrama {

// What the host window lends a button it holds: its font, its text colour
// (0x00BBGGRR or a system reference) and the name it uses for the instance.
struct AmbientProperties {
    QFont font;
    quint32 foreColor = 0x80000012; // button text, a form's usual text colour
    QString displayName;
};

} // namespace hitungrama
