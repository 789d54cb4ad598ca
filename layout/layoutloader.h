#pragma once

#include "layout/formlayout.h"

#include <QByteArray>
#include <QString>

// Parses the window's saved layout (JSON) into control descriptions and checks
// it: every value has its type, sizes are whole pixels, each button's extent
// matches its size, no control appears twice, and the controls the window
// drives are all there. A layout that fails any check is refused as a whole.
namespace hitungrama::LayoutLoader {

struct Result {
    FormLayout layout;
    QString error; // empty when the layout was accepted

    bool ok() const { return error.isEmpty(); }
};

Result parse(const QByteArray &json);
Result load(const QString &path);

// The layout compiled into the program, parsed once.
const Result &builtIn();
QString builtInPath();

} // namespace hitungrama::LayoutLoader
