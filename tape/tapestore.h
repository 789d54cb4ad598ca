#pragma once

// The tape: every calculation line, kept in SQLite.
//
// Data flow: the window hands each finished line to TapeStore::append on
// the GUI thread and goes on at once. The store queues it to TapeWriter on a
// thread of its own (started, with the file opened, at the tape's first
// use), which writes the line in its own transaction (WAL,
// synchronous=FULL) and reports it back as lineCommitted, with its id: only
// then does the window show it. Deletes go the same queue, in order.
// Reading (TapeModel, the state report) uses a second connection on the GUI
// thread, opened the first time something reads, never before; long reads
// (a search, an export) run on a TapeReaderThread with a connection of its
// own.
// Another program writing the same file is noticed only while someone
// watches (setWatching), by PRAGMA data_version on a one-second timer; with
// nothing watching the store runs no timer at all.
//
// When the file can't be used the tape runs in memory for this run and
// notice() says why in one line; see TapeWriter for what moves there.
//

#include "tape/tapeline.h"
#include "tape/tapestate.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <memory>
#include <optional>

class QThread;
class QTimer;

namespace hitungrama {

class TapeKeeping;
class TapeWriter;

class TapeStore : public QObject {
    Q_OBJECT

public:
    explicit TapeStore(const TapeOptions &options, QObject *parent = nullptr);
    // Writes every queued line and delete first (waiting for them), then
    // stops the writer thread.
    ~TapeStore() override;

    // QStandardPaths::AppDataLocation + "/riwayat.sqlite".
    static QString defaultPath();

    // Sets where the tape is and returns at once. The writer thread starts,
    // and opens the tape there, with the tape's first use: a write, a read
    // (reader() and what reads through it) or waitForWrites(). So a run that
    // never uses its tape never loads the database, and costs no more memory
    // than a program without one. The folder is made 0700 and the file 0600
    // when they are new. A bad
    // file (damaged, of another schema or application id, a symbolic link)
    // is set aside as "<file>.rusak-<UTC time>" (its -wal and -shm beside it
    // under the same name); a linked -wal or -shm, and a rollback journal
    // beside a tape (which is always in WAL mode, so the journal is another
    // database's), are set aside alone under their own names. Links are
    // renamed, never followed. A tape of a newer version, and a file that
    // can't be read, are left untouched; backingChanged() and notice() tell
    // the outcome. An empty path runs in memory.
    void open(const QString &path = defaultPath());

    // Queues a line (its id is ignored; an invalid time becomes now). The
    // line is written in its own transaction and comes back through
    // lineCommitted. Never waits.
    void append(const TapeLine &line);
    // Queues deleting lines by id ("Hapus"), then linesRemoved.
    void remove(const QList<qint64> &ids);
    // Queues deleting every line of the tape in use ("Hapus semua"), then
    // cleared.
    void removeAll();
    // Queues deleting every line kept in the file, whichever tape is in use
    // (after "Simpan riwayat" was turned off). Done inside the database, so
    // another program using the file goes on; no trace of the text is left.
    void eraseKept();

    // "Simpan riwayat", shared by every running copy through the options'
    // settings file (always off without one).
    // Turning it off moves this program's tape to memory at once (keeping
    // this run's lines) and every other one's at its next line.
    bool isKeeping() const;
    void setKeeping(bool on);

    // Waits until everything queued before the call (and the open, which
    // it starts when still pending) has committed or failed, at most
    // timeoutMs; then delivers the writer's signals that are waiting. False
    // on timeout. (The state report waits up to 2 s; the exit
    // paths use it to flush.)
    bool waitForWrites(int timeoutMs);

    // open() was called and nothing has used the tape since: nothing is
    // queued, and the database is not loaded.
    bool isOpenPending() const { return m_pendingOpen.has_value(); }

    TapeBacking backing() const { return m_backing; }
    TapeFault fault() const { return m_fault; }
    // One line for the tape window, in the language installed when the tape
    // moved; empty when all is well.
    const QString &notice() const { return m_notice; }
    static QString noticeFor(TapeFault fault, const QString &detail, int busyTimeoutMs = 5000);

    // The GUI thread's read connection to the tape in use, opened on first
    // use; invalid before the tape has opened (the first call starts a
    // pending open; backingChanged follows). Valid until backingChanged.
    QSqlDatabase reader();
    // These read at once, on the calling thread; as the tape's first use
    // they wait for it to open first.
    int lineCount();
    // The last `count` committed lines, oldest first.
    QList<TapeLine> lastLines(int count);

    // While on, another program's writes are looked for every second and
    // reported as tapeChanged. Off (the default): no timer runs.
    void setWatching(bool on);
    bool isWatching() const { return m_watching; }

signals:
    // The tape moved (opened, or went to memory): readers start over.
    void backingChanged();
    void noticeChanged(const QString &notice);
    void lineCommitted(const hitungrama::TapeLine &line);
    void linesRemoved(const QList<qint64> &ids);
    void cleared();
    // The tape changed by another connection (another program, or this
    // one's writer): a watcher reloads what it shows.
    void tapeChanged();

private:
    void enqueue(std::function<void(TapeWriter &)> job);
    void startPendingOpen();
    void startWriter();
    void onBackingChanged(TapeBacking backing, const QString &databaseName, TapeFault fault,
                          const QString &detail);
    QSqlDatabase settledReader();
    void closeReader();
    qint64 dataVersion();
    void checkDataVersion();

    struct Queue {
        QMutex mutex;
        QWaitCondition settled;
        quint64 queued = 0;
        quint64 done = 0;
    };

    TapeOptions m_options;
    std::unique_ptr<TapeKeeping> m_keeping;
    // Set by open() until the tape's first use starts the writer.
    std::optional<QString> m_pendingOpen;
    QThread *m_thread = nullptr;
    TapeWriter *m_writer = nullptr;
    Queue m_queue;
    TapeBacking m_backing = TapeBacking::None;
    TapeFault m_fault = TapeFault::None;
    QString m_notice;
    QString m_databaseName;
    QString m_readerName;
    bool m_watching = false;
    QTimer *m_watchTimer = nullptr;
    qint64 m_dataVersion = -1;
};

} // namespace hitungrama
