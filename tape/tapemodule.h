#pragma once

// The tape as a library of its own that the program loads at the tape's
// first use (the first line, or the tape window), so that a run pays the
// memory of Qt SQL and of the tape's code only once it uses its tape.
//
// The program reaches the library through this table, found by name, and
// through the virtual members of TapeStore and TapeModel; it never links
// the library, so nothing of it is loaded at start-up. Tests and tools link
// it as usual; loading it by name then finds the copy already there.

#include "tape/tapeexport.h"
#include "tape/tapeline.h"
#include "tape/tapestate.h"

#include <QList>
#include <QString>

class QObject;

namespace hitungrama {

class TapeExportJob;
class TapeModel;
class TapeStore;

struct TapeModule {
    TapeStore *(*createStore)(const TapeOptions &options);
    TapeModel *(*createModel)(TapeStore &store, QObject *parent);
    QString (*defaultPath)();
    TapeExport::Format (*exportFormatFor)(const QString &path, TapeExport::Format otherwise);
    QString (*plainText)(const QList<TapeLine> &lines);
    // Starts writing the tape into a file (see TapeExportJob).
    TapeExportJob *(*startExport)(TapeStore &store, const QString &path, TapeExport::Format format,
                                  QObject *parent);
};

} // namespace hitungrama

// The name the program looks the table up by.
#define HITUNGRAMA_TAPE_MODULE_ENTRY "hitungramaTapeModule"

extern "C" const hitungrama::TapeModule *hitungramaTapeModule();
