#pragma once

#include <QSqlDatabase>
#include <QString>

#include <atomic>
#include <functional>

class QObject;
class QThread;

namespace hitungrama {

// Reads the tape on a thread of its own, through a read-only connection of
// its own (Qt SQL connections belong to the thread that opened them), so that
// a slow read (a long search, an export) never holds up the window. Jobs run
// one after another, in the order posted; each gets the connection to the
// tape it names, opened at its first job and again when the tape moved, or
// a closed database when it can't be opened.
class TapeReaderThread {
public:
    TapeReaderThread();
    // Drops the jobs not yet started, waits for the one running (a job that
    // loops looks at stopping()), then closes the connection.
    ~TapeReaderThread();
    TapeReaderThread(const TapeReaderThread &) = delete;
    TapeReaderThread &operator=(const TapeReaderThread &) = delete;

    // `databaseName` as TapeDatabase::connect takes it. Starts the thread at
    // the first job.
    void post(const QString &databaseName, std::function<void(const QSqlDatabase &db)> job);
    bool stopping() const { return m_stopping.load(); }

private:
    QSqlDatabase connection(const QString &databaseName);

    QThread *m_thread = nullptr;
    QObject *m_context = nullptr;
    std::atomic<bool> m_stopping{false};
    // Used on the thread only.
    const QString m_connectionName;
    QString m_databaseName;
};

} // namespace hitungrama
