#pragma once

#include "window/formlayout.h"

#include <QByteArray>
#include <QString>

namespace hitungrama {

// Parses the window's saved layout (JSON) into control descriptions and checks
// it: every value has its type, sizes are whole pixels, each button's extent
// matches its size, no control appears twice, and the controls the window
// drives are all there. A layout that fails any check is refused as a whole.
class LayoutLoader {
public:
    struct Result {
        FormLayout layout;
        QString error; // empty when the layout was accepted

        bool ok() const { return error.isEmpty(); }
    };

    static Result parse(const QByteArray &json);
    static Result load(const QString &path);

    // The layout compiled into the program, parsed once.
    static const Result &builtIn();
    static QString builtInPath();

    // Registers the compiled-in layout, picture and icons (idempotent).
    static void ensureResources();
};

} // namespace hitungrama
