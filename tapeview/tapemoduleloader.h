#pragma once

// Loads the tape library the first time the program needs its tape, and
// finds its entry table (see tape/tapemodule.h).

#include <QString>

namespace hitungrama {

struct TapeModule;

namespace TapeModuleLoader {

// The program's tape library, loaded once; null when it can't be loaded
// (a broken installation), which is logged once: the calculator goes on
// without a tape.
const TapeModule *module();

// The table of the library at `path`, or of a library of the same file
// name that is loaded already; null with `error` set when neither can be
// loaded.
const TapeModule *load(const QString &path, QString *error);

} // namespace TapeModuleLoader

} // namespace hitungrama
