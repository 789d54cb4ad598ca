#pragma once

// The SQL the tape runs, in one place: connections and their settings, what
// an SQLite error means for the tape, and the writes (each keeps the text
// index in step in its own transaction). The store's writer and the file
// generator both write through here; readers use TapeQuery.

#include "tape/tapeline.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace hitungrama::TapeDatabase {

// What a failed SQLite call means for the tape.
enum class ErrorKind {
    BadFile,   // not a database, or damaged
    Busy,      // another program held the lock past the busy timeout
    Full,      // the disk (or the page limit) is full
    Unwritable, // read-only or missing file or folder, no permission
    Other,
};
ErrorKind classify(const QSqlError &error);

enum class Access { ReadOnly, ReadWrite };

// Adds and opens a QSQLITE connection named `connectionName` in the calling
// thread (Qt SQL connections belong to the thread that opens them).
// `databaseName` is a path or a "file:" URI (the in-memory tapes). On
// failure the connection is removed again and the error returned.
QSqlError connect(const QString &connectionName, const QString &databaseName, Access access,
                  int busyTimeoutMs);
// Closes and removes the connection; its queries must be gone.
void disconnect(const QString &connectionName);

// Runs one statement, discarding its rows.
QSqlError exec(QSqlDatabase &db, const QString &sql);

// The writer's settings: WAL journal (files only), synchronous=FULL,
// secure_delete=ON, and a page limit when maxPageCount > 0. The switch to
// WAL waits up to busyTimeoutMs for the other connections to the file.
QSqlError configureWriter(QSqlDatabase &db, bool wal, int maxPageCount, int busyTimeoutMs = 5000);

// Inserts the lines in one transaction and sets their ids. A line's time
// is kept in milliseconds, UTC.
QSqlError insert(QSqlDatabase &db, QList<TapeLine> &lines);
// Inserts lines with their ids as they are (copying lines between tapes).
QSqlError insertWithIds(QSqlDatabase &db, const QList<TapeLine> &lines);
// Deletes the lines with these ids (missing ones are no error), then purges.
QSqlError remove(QSqlDatabase &db, const QList<qint64> &ids);
// Deletes every line, then purges.
QSqlError clear(QSqlDatabase &db);

// Leaves no trace of deleted text in the file: merges the text index into
// one segment (old segments still hold deleted lines' trigrams; with
// secure_delete on, the pages they free are zeroed) and truncates the WAL.
QSqlError purge(QSqlDatabase &db);

} // namespace hitungrama::TapeDatabase
