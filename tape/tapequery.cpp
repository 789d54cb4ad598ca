#include "tape/tapequery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>

namespace hitungrama {

namespace {

const QString columns = QStringLiteral("line.id, line.time, line.expression, line.result, line.binary");

TapeLine lineFrom(const QSqlQuery &query)
{
    TapeLine line;
    line.id = query.value(0).toLongLong();
    line.time = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC);
    line.expression = query.value(2).toString();
    line.result = query.value(3).toString();
    line.binary = query.value(4).toInt() != 0;
    return line;
}

// Runs a prepared query and collects its lines; `ok` is false on an error.
QList<TapeLine> collect(QSqlQuery &query, bool *ok)
{
    QList<TapeLine> lines;
    *ok = query.exec();
    while (*ok && query.next())
        lines << lineFrom(query);
    if (query.lastError().isValid())
        *ok = false;
    return lines;
}

qint64 single(const QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql) || !query.next())
        return 0;
    return query.value(0).toLongLong();
}

} // namespace

TapeQuery::TapeQuery(const QString &search) : m_search(search)
{
    if (search.isEmpty())
        m_mode = Mode::All;
    else
        m_mode = search.toUcs4().size() >= 3 ? Mode::Index : Mode::Scan;
}

TapeQuery::Step TapeQuery::older(const QSqlDatabase &db, qint64 before, int limit) const
{
    return run(db, true, before, m_mode == Mode::Scan ? before - scanSpan : 0, limit);
}

TapeQuery::Step TapeQuery::newer(const QSqlDatabase &db, qint64 after, qint64 upTo, int limit) const
{
    return run(db, false, after, m_mode == Mode::Scan ? std::min(upTo, after + scanSpan) : upTo, limit);
}

// Downwards: ids in [to, from); upwards: ids in (from, to].
TapeQuery::Step TapeQuery::run(const QSqlDatabase &db, bool downwards, qint64 from, qint64 to,
                               int limit) const
{
    // The index's own rowid bounds the range, so that it starts its walk
    // there rather than at an end (the join's line.id would only filter).
    const QString id = m_mode == Mode::Index ? QStringLiteral("line_text.rowid") : QStringLiteral("line.id");
    const QString range = downwards ? QStringLiteral("%1 < :from AND %1 >= :to").arg(id)
                                    : QStringLiteral("%1 > :from AND %1 <= :to").arg(id);
    const QString order = downwards ? QStringLiteral("DESC") : QStringLiteral("ASC");
    QString sql;
    switch (m_mode) {
    case Mode::All:
        sql = QStringLiteral("SELECT %1 FROM line WHERE %2 ORDER BY line.id %3 LIMIT :limit");
        break;
    case Mode::Index:
        // The index walks its rowids in order and stops at the limit.
        sql = QStringLiteral("SELECT %1 FROM line_text JOIN line ON line.id = line_text.rowid"
                             " WHERE line_text MATCH :search AND %2"
                             " ORDER BY line_text.rowid %3 LIMIT :limit");
        break;
    case Mode::Scan:
        sql = QStringLiteral("SELECT %1 FROM line WHERE %2 AND line.text LIKE :search ESCAPE '\\'"
                             " ORDER BY line.id %3 LIMIT :limit");
        break;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Step step;
    if (!query.prepare(sql.arg(columns, range, order))) {
        step.failed = true;
        step.reached = to;
        return step;
    }
    query.bindValue(QStringLiteral(":from"), from);
    query.bindValue(QStringLiteral(":to"), to);
    query.bindValue(QStringLiteral(":limit"), limit);
    if (m_mode == Mode::Index)
        query.bindValue(QStringLiteral(":search"), ftsString(m_search));
    else if (m_mode == Mode::Scan)
        query.bindValue(QStringLiteral(":search"), likePattern(m_search));
    bool ok = false;
    step.lines = collect(query, &ok);
    step.failed = !ok;
    step.reached = ok && step.lines.size() >= limit ? step.lines.last().id : to;
    return step;
}

qint64 TapeQuery::lowestId(const QSqlDatabase &db)
{
    return single(db, QStringLiteral("SELECT coalesce(min(id), 0) FROM line"));
}

qint64 TapeQuery::highestId(const QSqlDatabase &db)
{
    return single(db, QStringLiteral("SELECT coalesce(max(id), 0) FROM line"));
}

int TapeQuery::count(const QSqlDatabase &db)
{
    return int(single(db, QStringLiteral("SELECT count(*) FROM line")));
}

QList<qint64> TapeQuery::existingIds(const QSqlDatabase &db, const QList<qint64> &ids, bool *ok)
{
    QList<qint64> existing;
    for (const TapeLine &line : linesWithIds(db, ids, ok))
        existing << line.id;
    return existing;
}

QList<TapeLine> TapeQuery::linesWithIds(const QSqlDatabase &db, const QList<qint64> &ids, bool *ok)
{
    constexpr int perStatement = 500;
    QList<TapeLine> lines;
    bool allRead = true;
    for (int start = 0; start < ids.size(); start += perStatement) {
        const QList<qint64> chunk = ids.mid(start, perStatement);
        QStringList marks;
        for (int i = 0; i < chunk.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT %1 FROM line WHERE id IN (%2) ORDER BY id")
                          .arg(columns, marks.join(QLatin1Char(','))));
        for (qint64 id : chunk)
            query.addBindValue(id);
        bool read = false;
        lines << collect(query, &read);
        allRead = allRead && read;
    }
    if (ok != nullptr)
        *ok = allRead;
    return lines;
}

QString TapeQuery::ftsString(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString TapeQuery::likePattern(const QString &text)
{
    QString pattern;
    pattern.reserve(text.size() + 2);
    pattern += QLatin1Char('%');
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    pattern += QLatin1Char('%');
    return pattern;
}

} // namespace hitungrama
