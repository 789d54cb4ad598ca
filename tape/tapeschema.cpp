#include "tape/tapeschema.h"

#include "tape/tapedatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <vector>

namespace hitungrama::TapeSchema {

namespace {

// Step N brings a tape from version N - 1 to N. Steps are never edited
// once released; a change of schema is a new step.
const std::vector<std::vector<const char *>> &steps()
{
    static const std::vector<std::vector<const char *>> list = {
        {
            "CREATE TABLE line ("
            " id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " time INTEGER NOT NULL,"
            " expression TEXT NOT NULL,"
            " result TEXT NOT NULL,"
            " binary INTEGER NOT NULL CHECK (binary IN (0, 1)),"
            " text TEXT GENERATED ALWAYS AS (expression || ' = ' || result) VIRTUAL)",
            "CREATE VIRTUAL TABLE line_text USING fts5("
            " text, content='line', content_rowid='id', tokenize='trigram')",
        },
    };
    return list;
}

// The tables and line's columns that every version from 1 has.
bool hasTapeTables(QSqlDatabase &db, const QStringList &tables)
{
    if (!tables.contains(QLatin1String("line")) || !tables.contains(QLatin1String("line_text")))
        return false;
    QSqlQuery columns(db);
    if (!columns.exec(QStringLiteral("SELECT name FROM pragma_table_xinfo('line')")))
        return false;
    QStringList names;
    while (columns.next())
        names << columns.value(0).toString();
    for (const char *wanted : {"id", "time", "expression", "result", "binary", "text"}) {
        if (!names.contains(QLatin1String(wanted)))
            return false;
    }
    return true;
}

State inspectSnapshot(QSqlDatabase &db, QSqlError *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        *error = query.lastError();
        return State::Foreign;
    }
    const int stored = query.value(0).toInt();
    const qint32 id = storedApplicationId(db);
    // Reading the schema reads the first pages: a file that is not a
    // database, or one cut shorter than its header says, fails here.
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table'"))) {
        *error = query.lastError();
        return State::Foreign;
    }
    QStringList tables;
    while (query.next())
        tables << query.value(0).toString();
    if (query.lastError().isValid()) {
        *error = query.lastError();
        return State::Foreign;
    }
    *error = QSqlError();
    if (id != 0 && id != applicationId)
        return State::Foreign;
    if (stored > version)
        return State::Newer;
    if (stored == 0)
        return tables.isEmpty() ? State::Empty : State::Foreign;
    if (stored < 0 || !hasTapeTables(db, tables))
        return State::Foreign;
    return stored < version ? State::Older : State::Current;
}

} // namespace

int storedVersion(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return 0;
    return query.value(0).toInt();
}

qint32 storedApplicationId(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA application_id")) || !query.next())
        return 0;
    return qint32(query.value(0).toLongLong());
}

State inspect(QSqlDatabase &db, QSqlError *error)
{
    // The version and the tables from one snapshot: read apart, they may
    // straddle another program's creating the schema, which would look like
    // a file of another schema.
    const bool inTransaction = db.transaction();
    const State state = inspectSnapshot(db, error);
    if (inTransaction)
        db.commit();
    return state;
}

QSqlError migrate(QSqlDatabase &db)
{
    // The version is read inside the write transaction: two programs
    // starting on one new file at once must not both create the tables.
    QSqlError error = TapeDatabase::exec(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (error.isValid())
        return error;
    const int from = storedVersion(db);
    for (int step = from; step < version && !error.isValid(); ++step) {
        for (const char *statement : steps()[std::size_t(step)]) {
            error = TapeDatabase::exec(db, QLatin1String(statement));
            if (error.isValid())
                break;
        }
    }
    if (!error.isValid() && from < version)
        error = TapeDatabase::exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
    if (!error.isValid() && storedApplicationId(db) == 0)
        error = TapeDatabase::exec(db, QStringLiteral("PRAGMA application_id = %1").arg(applicationId));
    if (!error.isValid())
        error = TapeDatabase::exec(db, QStringLiteral("COMMIT"));
    if (error.isValid())
        TapeDatabase::exec(db, QStringLiteral("ROLLBACK"));
    return error;
}

} // namespace hitungrama::TapeSchema
