#pragma once

#include "tape/tapeexport.h"
#include "tape/tapeline.h"
#include "tapeview/tapeexportprogress.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QString>

class QWidget;

namespace hitungrama {

class TapeHost;
class TapeStore;

// What the tape window's buttons and keys do with tape lines. Every box and
// the save dialog go through the main window (TapeHost), over the tape
// window; every refusal beeps as the main window's do.
class TapeActions {
    Q_DECLARE_TR_FUNCTIONS(TapeActions)

public:
    TapeActions(TapeHost &host, TapeStore &store, QWidget &window);

    // "Pakai": the line's result into the display by the paste rule, the
    // clipboard untouched. A message, and a binary numeral while binary mode
    // is off, are refused with a beep, as the paste rule refuses.
    bool use(const TapeLine &line);
    // "Salin": the lines as plain text, one a line, on the clipboard.
    void copy(const QList<TapeLine> &lines);
    // "Hapus".
    void remove(const QList<TapeLine> &lines);
    // "Hapus semua", after a question whose default is No.
    void removeAll();
    // "Ekspor…": the whole tape into a file the user chooses, CSV or text,
    // written on a thread of its own while a progress dialog offers Cancel.
    // One export at a time: asked again meanwhile, it shows that one's
    // dialog and beeps. A failure is told in a box.
    void exportTape();
    // The export that runs, or null.
    TapeExportProgress *runningExport() const { return m_export; }
    // "Simpan riwayat" ticked or unticked; unticking offers to delete the
    // kept lines.
    void setKeeping(bool on);

    // A line whose result is a binary numeral: from BIN, or made in binary mode.
    static bool isBinaryNumeral(const TapeLine &line);

private:
    bool ask(const QString &text);

    TapeHost &m_host;
    TapeStore &m_store;
    QWidget &m_window;
    QPointer<TapeExportProgress> m_export;
};

} // namespace hitungrama
