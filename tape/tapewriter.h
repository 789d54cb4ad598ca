#pragma once

// TapeWriter: every write of the tape, in order, on the thread it lives in.
//
// TapeStore moves it to a thread of its own and calls it only through that
// thread's event queue; its connections (the file's and, when needed, the
// in-memory tape's) are opened there. Before each write it settles where
// the tape lives (TapeBacking): on disk while "Simpan riwayat" is on and the
// file can be written, else in an in-memory tape that holds this run's
// lines. A disk that fails (full, locked past the busy timeout, read-only,
// damaged) is given up for the rest of the run: the lines this run wrote
// there are copied into memory, and the failed write is done again there,
// so no line is lost. The benchmarks call it directly, on their own thread.

#include "tape/tapeline.h"
#include "tape/tapeschema.h"
#include "tape/tapestate.h"

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

#include <functional>
#include <memory>

namespace hitungrama {

class TapeKeeping;

class TapeWriter : public QObject {
    Q_OBJECT

public:
    explicit TapeWriter(const TapeOptions &options, QObject *parent = nullptr);
    ~TapeWriter() override;

    // Opens the tape file at `path` (an empty path: memory).
    void open(const QString &path);
    void append(const TapeLine &line);
    void remove(const QList<qint64> &ids);
    // Deletes every line of the tape as it is now (disk or memory).
    void clear();
    // Deletes every line kept in the file, whichever tape is in use, unless
    // the file is not a usable tape.
    void eraseKept();
    // Settles where the tape lives now (after "Simpan riwayat" changed).
    void settle();
    // Closes the connections; the next write opens them again.
    void shutdown();

    TapeBacking backing() const { return m_backing; }

signals:
    // The tape moved (or opened); `databaseName` is what a reader connects
    // to: the file's path or the in-memory tape's URI.
    void backingChanged(hitungrama::TapeBacking backing, const QString &databaseName,
                        hitungrama::TapeFault fault, const QString &detail);
    void lineCommitted(const hitungrama::TapeLine &line);
    void linesRemoved(const QList<qint64> &ids);
    void cleared();

private:
    bool settleBacking();
    QSqlError write(const std::function<QSqlError(QSqlDatabase &)> &work);
    TapeFault openDisk(QString *connection, QString *detail);
    QSqlError connectWriter(const QString &name, TapeSchema::State *state);
    QString detailOf(TapeFault fault, const QSqlError &error) const;
    TapeFault probe(QString *detail);
    bool setAsideStrays(QString *stray);
    bool setAside(QString *keptPath);
    void failDisk(const QSqlError &error);
    void useMemory();
    QString newConnectionName();
    void closeConnection();
    void announce();

    TapeOptions m_options;
    std::unique_ptr<TapeKeeping> m_keeping;
    QString m_diskPath;
    TapeBacking m_backing = TapeBacking::None;
    // Set when the disk failed: the rest of the run stays in memory.
    bool m_diskBarred = false;
    TapeFault m_fault = TapeFault::None;
    QString m_detail;
    QString m_connection;
    QString m_databaseName;
    // Ids of the lines this run wrote to the file, carried into memory when
    // the tape moves there.
    QList<qint64> m_runIds;
    int m_serial = 0;
};

} // namespace hitungrama
