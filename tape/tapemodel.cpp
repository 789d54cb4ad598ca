#include "tape/tapemodel.h"

#include "tape/tapereaderthread.h"
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

TapeModel::~TapeModel() = default;

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
    ++m_generation;
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

void TapeModel::jumpToOldest()
{
    beginResetModel();
    ++m_generation;
    m_rows.clear();
    const QSqlDatabase db = m_store.reader();
    m_lowest = db.isOpen() ? TapeQuery::lowestId(db) : 0;
    // Nothing looked at yet: the range from m_low to m_high is empty.
    m_low = m_lowest;
    m_high = m_lowest - 1;
    m_atNewest = false;
    m_wantOlder = 0;
    m_wantNewer = m_pageSize;
    endResetModel();
    loadSteps();
}

void TapeModel::jumpToNewest()
{
    reload();
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
    if (m_query.isSearch()) {
        requestStep();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    // A step is started only when one as long as the last still fits.
    qint64 lastStep = 0;
    while (clock.nsecsElapsed() + lastStep < stepBudgetMs * 1000000) {
        const qint64 stepStart = clock.nsecsElapsed();
        const QSqlDatabase db = m_store.reader();
        if (m_wantOlder > 0 && canFetchOlder()) {
            insertOlder(m_query.older(db, m_low, m_wantOlder));
        } else if (m_wantNewer > 0 && canFetchNewer()) {
            const qint64 highest = TapeQuery::highestId(db);
            insertNewer(m_query.newer(db, m_high, highest, m_wantNewer), highest);
        } else {
            break;
        }
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

// One search step at a time goes to the search thread; its answer asks for
// the next.
void TapeModel::requestStep()
{
    const bool older = m_wantOlder > 0 && canFetchOlder();
    if (!older && !(m_wantNewer > 0 && canFetchNewer())) {
        m_wantOlder = 0;
        m_wantNewer = 0;
        setLoading(false);
        return;
    }
    setLoading(true);
    if (m_stepRunning)
        return;
    const QSqlDatabase db = m_store.reader();
    const qint64 highest = older ? 0 : TapeQuery::highestId(db);
    if (!db.isOpen()) {
        // Nothing to read: the step fails at once, as a read would.
        TapeQuery::Step failed;
        failed.failed = true;
        answer(m_generation, older, highest, failed);
        return;
    }
    if (m_searchThread == nullptr)
        m_searchThread = std::make_unique<TapeReaderThread>();
    m_stepRunning = true;
    m_removedMeanwhile.clear();
    const TapeQuery query = m_query;
    const qint64 from = older ? m_low : m_high;
    const int limit = older ? m_wantOlder : m_wantNewer;
    const quint64 generation = m_generation;
    m_searchThread->post(db.databaseName(), [this, query, older, from, highest, limit,
                                             generation](const QSqlDatabase &reader) {
        const TapeQuery::Step step =
            older ? query.older(reader, from, limit) : query.newer(reader, from, highest, limit);
        // This model outlives the thread (see m_searchThread); the answer is
        // dropped if the model goes before it is delivered.
        QMetaObject::invokeMethod(
            this, [this, generation, older, highest, step] { answer(generation, older, highest, step); },
            Qt::QueuedConnection);
    });
}

void TapeModel::answer(quint64 generation, bool older, qint64 highest, TapeQuery::Step step)
{
    m_stepRunning = false;
    if (generation == m_generation) {
        step.lines.removeIf([this](const TapeLine &line) { return m_removedMeanwhile.contains(line.id); });
        if (older)
            insertOlder(step);
        else
            insertNewer(step, highest);
    }
    m_removedMeanwhile.clear();
    loadSteps();
}

void TapeModel::insertOlder(const TapeQuery::Step &step)
{
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

void TapeModel::insertNewer(const TapeQuery::Step &step, qint64 highest)
{
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
    if (m_stepRunning)
        m_removedMeanwhile += ids;
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
