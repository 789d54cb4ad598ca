#include "tape/tapemodel.h"

#include "tape/tapestore.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace hitungrama {

namespace {

// How long one turn of loading may hold the event loop.
constexpr qint64 stepBudgetMs = 30;

} // namespace

TapeModel::TapeModel(TapeStore &store, QObject *parent) : QAbstractListModel(parent), m_store(store)
{
    connect(&store, &TapeStore::backingChanged, this, &TapeModel::reload);
    connect(&store, &TapeStore::cleared, this, &TapeModel::reload);
    connect(&store, &TapeStore::lineCommitted, this, &TapeModel::catchUp);
    connect(&store, &TapeStore::linesRemoved, this, &TapeModel::removeIds);
    connect(&store, &TapeStore::tapeChanged, this, [this] {
        removeVanished();
        catchUp();
    });
    reload();
}

int TapeModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant TapeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const TapeLine &line = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case TextRole:
        return line.text();
    case Qt::AccessibleTextRole:
        //: A tape line read by a screen reader: the line, then when it was made.
        return tr("%1, %2").arg(line.text(),
                                QLocale().toString(line.time.toLocalTime(), QLocale::ShortFormat));
    case TimeRole:
        return line.time;
    case ExpressionRole:
        return line.expression;
    case ResultRole:
        return line.result;
    case BinaryRole:
        return line.binary;
    case IdRole:
        return line.id;
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> TapeModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert({{TimeRole, "time"},
                  {TextRole, "text"},
                  {ExpressionRole, "expression"},
                  {ResultRole, "result"},
                  {BinaryRole, "binary"},
                  {IdRole, "id"}});
    return names;
}

int TapeModel::rowOf(qint64 id) const
{
    const auto found = std::lower_bound(m_rows.cbegin(), m_rows.cend(), id,
                                        [](const TapeLine &line, qint64 wanted) { return line.id < wanted; });
    return found != m_rows.cend() && found->id == id ? int(found - m_rows.cbegin()) : -1;
}

void TapeModel::setSearch(const QString &text)
{
    if (text == m_query.search())
        return;
    m_query = TapeQuery(text);
    reload();
}

bool TapeModel::canFetchOlder() const
{
    return m_low > m_lowest;
}

void TapeModel::fetchOlder()
{
    if (!canFetchOlder())
        return;
    m_wantOlder = m_pageSize;
    loadSteps();
}

bool TapeModel::canFetchNewer() const
{
    return !m_atNewest;
}

void TapeModel::fetchNewer()
{
    if (!canFetchNewer())
        return;
    m_wantNewer = m_pageSize;
    loadSteps();
}

void TapeModel::reload()
{
    beginResetModel();
    m_rows.clear();
    const QSqlDatabase db = m_store.reader();
    // Before the tape has opened there is nothing to read (backingChanged
    // reloads then); asking would only make Qt warn.
    const bool open = db.isOpen();
    m_high = open ? TapeQuery::highestId(db) : 0;
    m_low = m_high + 1;
    m_lowest = open ? TapeQuery::lowestId(db) : m_low;
    m_atNewest = true;
    m_wantOlder = m_pageSize;
    m_wantNewer = 0;
    endResetModel();
    loadSteps();
}

void TapeModel::setPageSize(int rows)
{
    m_pageSize = std::max(1, rows);
    m_maxRows = std::max(m_maxRows, 2 * m_pageSize);
}

void TapeModel::setMaxRows(int rows)
{
    m_maxRows = std::max(rows, 2 * m_pageSize);
}

void TapeModel::loadSteps()
{
    QElapsedTimer clock;
    clock.start();
    // A step is started only when one as long as the last still fits.
    qint64 lastStep = 0;
    while (clock.nsecsElapsed() + lastStep < stepBudgetMs * 1000000) {
        const qint64 stepStart = clock.nsecsElapsed();
        if (m_wantOlder > 0 && canFetchOlder())
            stepOlder();
        else if (m_wantNewer > 0 && canFetchNewer())
            stepNewer();
        else
            break;
        lastStep = clock.nsecsElapsed() - stepStart;
    }
    const bool more = (m_wantOlder > 0 && canFetchOlder()) || (m_wantNewer > 0 && canFetchNewer());
    if (!more) {
        m_wantOlder = 0;
        m_wantNewer = 0;
    } else if (!m_stepQueued) {
        m_stepQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_stepQueued = false;
            loadSteps();
        });
    }
    setLoading(more);
}

void TapeModel::stepOlder()
{
    const TapeQuery::Step step = m_query.older(m_store.reader(), m_low, m_wantOlder);
    m_low = step.failed ? m_lowest : step.reached;
    if (step.lines.isEmpty())
        return;
    const int count = int(step.lines.size());
    beginInsertRows(QModelIndex(), 0, count - 1);
    QList<TapeLine> rows;
    rows.reserve(count + m_rows.size());
    std::reverse_copy(step.lines.cbegin(), step.lines.cend(), std::back_inserter(rows));
    rows += m_rows;
    m_rows.swap(rows);
    endInsertRows();
    m_wantOlder -= count;
    if (m_rows.size() > m_maxRows) {
        beginRemoveRows(QModelIndex(), m_maxRows, int(m_rows.size()) - 1);
        m_rows.resize(m_maxRows);
        endRemoveRows();
        m_high = m_rows.last().id;
        m_atNewest = false;
    }
}

void TapeModel::stepNewer()
{
    const QSqlDatabase db = m_store.reader();
    const qint64 highest = TapeQuery::highestId(db);
    const TapeQuery::Step step = m_query.newer(db, m_high, highest, m_wantNewer);
    m_high = step.failed ? highest : step.reached;
    m_atNewest = m_high >= highest;
    if (step.lines.isEmpty())
        return;
    const int count = int(step.lines.size());
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size()) + count - 1);
    m_rows += step.lines;
    endInsertRows();
    m_wantNewer -= count;
    if (m_rows.size() > m_maxRows) {
        const int surplus = int(m_rows.size()) - m_maxRows;
        beginRemoveRows(QModelIndex(), 0, surplus - 1);
        m_rows.remove(0, surplus);
        endRemoveRows();
        m_low = m_rows.first().id;
    }
}

// New lines reach the model only while it shows the newest end.
void TapeModel::catchUp()
{
    if (!m_atNewest)
        return;
    m_atNewest = false;
    m_wantNewer = m_maxRows;
    loadSteps();
}

void TapeModel::removeIds(const QList<qint64> &ids)
{
    for (qint64 id : ids) {
        const int row = rowOf(id);
        if (row < 0)
            continue;
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
    }
}

void TapeModel::removeVanished()
{
    if (m_rows.isEmpty())
        return;
    QList<qint64> shown;
    shown.reserve(m_rows.size());
    for (const TapeLine &line : std::as_const(m_rows))
        shown << line.id;
    bool read = false;
    QList<qint64> existing = TapeQuery::existingIds(m_store.reader(), shown, &read);
    if (!read || existing.size() == shown.size())
        return;
    std::sort(existing.begin(), existing.end());
    QList<qint64> gone;
    std::set_difference(shown.cbegin(), shown.cend(), existing.cbegin(), existing.cend(),
                        std::back_inserter(gone));
    removeIds(gone);
}

void TapeModel::setLoading(bool loading)
{
    if (loading == m_loading)
        return;
    m_loading = loading;
    emit loadingChanged(loading);
}

} // namespace hitungrama
