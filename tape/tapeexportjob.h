#pragma once

#include "tape/tapeexport.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace hitungrama {

class TapeReaderThread;
class TapeStore;

// One export of the tape ("Ekspor…"), written on a thread of its own with its
// own read connection, so that the window goes on answering however long the
// tape is. It writes the lines the tape holds when it starts (those with an
// id up to the highest one then); lines that come later are not in it.
class TapeExportJob : public QObject {
    Q_OBJECT

public:
    // Starts at once. A tape that can't be read finishes with an error.
    TapeExportJob(TapeStore &store, const QString &path, TapeExport::Format format,
                  QObject *parent = nullptr);
    // Cancels the export if it still runs and waits for its thread.
    ~TapeExportJob() override;

    // Stops after the chunk being written; the old file (or none) stays.
    // finished follows, with Cancelled.
    void cancel();

signals:
    // How far it is, in thousandths of the lines to write.
    void progressed(int permille);
    // `outcome` is a TapeExport::Outcome; `error` says why it failed.
    void finished(int outcome, const QString &error);

private:
    void report(int permille);

    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_permille{0};
    std::unique_ptr<TapeReaderThread> m_thread;
};

} // namespace hitungrama
