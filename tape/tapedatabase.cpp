#include "tape/tapedatabase.h"

#include <QDeadlineTimer>
#include <QSqlQuery>
#include <QThread>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace hitungrama::TapeDatabase {

namespace {

// SQLite's primary result codes (the low byte of an extended code).
enum SqliteCode {
    Perm = 3,
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Auth = 23,
    NotADatabase = 26,
};

// At most this many ids in one IN list (SQLite's variable limit is 32766).
constexpr int idsPerStatement = 500;
// How often a lock that SQLite does not wait for is asked for again.
constexpr int lockRetryMs = 20;

QString placeholders(int count)
{
    QStringList marks;
    marks.reserve(count);
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1Char(','));
}

QSqlError runInTransaction(QSqlDatabase &db, const std::function<QSqlError()> &work)
{
    QSqlError error = exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (error.isValid())
        return error;
    error = work();
    if (!error.isValid())
        error = exec(db, QStringLiteral("COMMIT"));
    if (error.isValid())
        exec(db, QStringLiteral("ROLLBACK"));
    return error;
}

QSqlError insertLines(QSqlDatabase &db, const QList<TapeLine> &lines, bool withIds,
                      QList<qint64> *ids)
{
    QSqlQuery row(db);
    QSqlQuery text(db);
    const bool prepared =
        row.prepare(withIds ? QStringLiteral("INSERT INTO line(id, time, expression, result, binary)"
                                             " VALUES (?, ?, ?, ?, ?)")
                            : QStringLiteral("INSERT INTO line(time, expression, result, binary)"
                                             " VALUES (?, ?, ?, ?)"))
        && text.prepare(QStringLiteral("INSERT INTO line_text(rowid, text)"
                                       " SELECT id, text FROM line WHERE id = ?"));
    if (!prepared)
        return row.lastError().isValid() ? row.lastError() : text.lastError();
    for (const TapeLine &line : lines) {
        if (withIds)
            row.addBindValue(line.id);
        row.addBindValue(line.time.toMSecsSinceEpoch());
        row.addBindValue(line.expression);
        row.addBindValue(line.result);
        row.addBindValue(line.binary ? 1 : 0);
        if (!row.exec())
            return row.lastError();
        const qint64 id = withIds ? line.id : row.lastInsertId().toLongLong();
        text.addBindValue(id);
        if (!text.exec())
            return text.lastError();
        if (ids != nullptr)
            ids->append(id);
    }
    return {};
}

} // namespace

ErrorKind classify(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case NotADatabase:
    case Corrupt:
        return ErrorKind::BadFile;
    case Busy:
    case Locked:
        return ErrorKind::Busy;
    case Full:
        return ErrorKind::Full;
    case Perm:
    case ReadOnly:
    case CantOpen:
    case Auth:
        return ErrorKind::Unwritable;
    default:
        return ErrorKind::Other;
    }
}

QSqlError connect(const QString &connectionName, const QString &databaseName, Access access,
                  int busyTimeoutMs)
{
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(databaseName);
        QStringList options{QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs)};
        if (access == Access::ReadOnly)
            options << QStringLiteral("QSQLITE_OPEN_READONLY");
        if (databaseName.startsWith(QLatin1String("file:")))
            options << QStringLiteral("QSQLITE_OPEN_URI");
        db.setConnectOptions(options.join(QLatin1Char(';')));
        if (!db.open())
            error = db.lastError();
    }
    if (error.isValid())
        QSqlDatabase::removeDatabase(connectionName);
    return error;
}

void disconnect(const QString &connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlError exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return query.lastError();
    while (query.next()) {
    }
    return query.lastError();
}

QSqlError configureWriter(QSqlDatabase &db, bool wal, int maxPageCount, int busyTimeoutMs)
{
    if (wal) {
        QSqlQuery query(db);
        // The switch needs the file to itself for a moment (two programs
        // making a new tape at once), and SQLite's busy timeout does not
        // wait for that lock: wait here.
        const QDeadlineTimer deadline(busyTimeoutMs);
        while (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next()) {
            if (classify(query.lastError()) != ErrorKind::Busy || deadline.hasExpired())
                return query.lastError();
            QThread::msleep(lockRetryMs);
        }
        // SQLite answers with the mode it is in; a file it can't switch
        // stays in its old mode.
        if (query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
            return QSqlError(QStringLiteral("cannot switch to the WAL journal"), QString(),
                             QSqlError::ConnectionError, QString::number(ReadOnly));
        }
    }
    QStringList pragmas{QStringLiteral("PRAGMA synchronous = FULL"),
                        QStringLiteral("PRAGMA secure_delete = ON")};
    if (maxPageCount > 0)
        pragmas << QStringLiteral("PRAGMA max_page_count = %1").arg(maxPageCount);
    for (const QString &pragma : pragmas) {
        const QSqlError error = exec(db, pragma);
        if (error.isValid())
            return error;
    }
    return {};
}

QSqlError insert(QSqlDatabase &db, QList<TapeLine> &lines)
{
    QList<qint64> ids;
    const QSqlError error =
        runInTransaction(db, [&] { return insertLines(db, lines, false, &ids); });
    if (!error.isValid()) {
        for (int i = 0; i < lines.size(); ++i)
            lines[i].id = ids[i];
    }
    return error;
}

QSqlError insertWithIds(QSqlDatabase &db, const QList<TapeLine> &lines)
{
    return runInTransaction(db, [&] { return insertLines(db, lines, true, nullptr); });
}

QSqlError remove(QSqlDatabase &db, const QList<qint64> &ids)
{
    const QSqlError error = runInTransaction(db, [&]() -> QSqlError {
        for (int start = 0; start < ids.size(); start += idsPerStatement) {
            const QList<qint64> chunk = ids.mid(start, idsPerStatement);
            const QString in = placeholders(int(chunk.size()));
            // An external-content index forgets a row only when told its
            // old text.
            QSqlQuery forget(db);
            QSqlQuery erase(db);
            if (!forget.prepare(QStringLiteral("INSERT INTO line_text(line_text, rowid, text)"
                                               " SELECT 'delete', id, text FROM line WHERE id IN (%1)")
                                    .arg(in))
                || !erase.prepare(QStringLiteral("DELETE FROM line WHERE id IN (%1)").arg(in))) {
                return forget.lastError().isValid() ? forget.lastError() : erase.lastError();
            }
            for (qint64 id : chunk) {
                forget.addBindValue(id);
                erase.addBindValue(id);
            }
            if (!forget.exec())
                return forget.lastError();
            if (!erase.exec())
                return erase.lastError();
        }
        return {};
    });
    return error.isValid() ? error : purge(db);
}

QSqlError clear(QSqlDatabase &db)
{
    const QSqlError error = runInTransaction(db, [&]() -> QSqlError {
        QSqlError failed = exec(db, QStringLiteral("DELETE FROM line"));
        if (!failed.isValid())
            failed = exec(db, QStringLiteral("INSERT INTO line_text(line_text) VALUES ('delete-all')"));
        return failed;
    });
    return error.isValid() ? error : purge(db);
}

QSqlError purge(QSqlDatabase &db)
{
    QSqlError error = exec(db, QStringLiteral("INSERT INTO line_text(line_text) VALUES ('optimize')"));
    if (!error.isValid())
        error = exec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return error;
}

} // namespace hitungrama::TapeDatabase
