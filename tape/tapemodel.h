#pragma once

// TapeModel: the tape for a list view, newest line at the bottom as on a
// paper tape.
//
// It holds a window of at most maxRows lines of the tape (or of the lines
// matching a search), never the whole table. It opens with the newest page;
// fetchOlder() adds a page at the top (the view calls it when scrolled to
// the top; Qt's canFetchMore/fetchMore only grow a model at the bottom, so
// they are not used), fetchNewer() at the bottom after older pages have
// pushed the newest lines out. Lines the store commits, and while the store
// is watched another program's, appear at the bottom when the window
// reaches the newest line; deleted lines disappear.
//
// Without a search a page is read at once, on the calling thread: the
// lines are found by their ids. A search may take long (a text of many
// trigrams, or a short text scanned for in bounded steps, see TapeQuery), so
// its steps run on a TapeReaderThread, one at a time, and their lines come in
// from the event loop: the window never waits for a search. isLoading()
// says when lines are still to come.

#include "tape/tapeline.h"
#include "tape/tapequery.h"

#include <QAbstractListModel>
#include <QList>

#include <memory>

namespace hitungrama {

class TapeReaderThread;
class TapeStore;

class TapeModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        TimeRole = Qt::UserRole + 1, // QDateTime, UTC
        TextRole,                    // "expression = result", whole
        ExpressionRole,
        ResultRole,
        BinaryRole, // bool
        IdRole,     // qint64
    };
    // Qt::DisplayRole and Qt::ToolTipRole give the text too; the view
    // elides it. Qt::AccessibleTextRole gives the text and the local time.

    static constexpr int defaultPageSize = 64;
    static constexpr int defaultMaxRows = 5000;

    // Loads the newest page at once (this opens the store's reader).
    explicit TapeModel(TapeStore &store, QObject *parent = nullptr);
    // Waits for a search step still running.
    ~TapeModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    const TapeLine &line(int row) const { return m_rows.at(row); }
    // The row showing this id, or -1.
    int rowOf(qint64 id) const;

    // Shows only the lines whose text holds `text` (literally, ignoring
    // ASCII case), newest first from the bottom; empty shows every line.
    void setSearch(const QString &text);
    const QString &search() const { return m_query.search(); }

    bool canFetchOlder() const;
    void fetchOlder();
    bool canFetchNewer() const;
    // Lines the tape gained are being added at the bottom: rows inserted
    // there now are new lines, not a page of older ones fetched again.
    bool isCatchingUp() const { return m_catchingUp; }
    void fetchNewer();
    // Starts over at the newest page.
    void reload();
    // Starts over at the oldest page (of the search when there is one), or
    // at the newest one: the model resets and loads that page only.
    void jumpToOldest();
    void jumpToNewest();

    // Rows per fetch, and the most rows held (at least two pages).
    void setPageSize(int rows);
    void setMaxRows(int rows);

    // A search is still filling a page.
    bool isLoading() const { return m_loading; }

signals:
    void loadingChanged(bool loading);

private:
    void loadSteps();
    void requestStep();
    void answer(quint64 generation, bool older, qint64 highest, TapeQuery::Step step);
    void insertOlder(const TapeQuery::Step &step);
    void insertNewer(const TapeQuery::Step &step, qint64 highest);
    void catchUp();
    void removeIds(const QList<qint64> &ids);
    void removeVanished();
    void setLoading(bool loading);

    TapeStore &m_store;
    TapeQuery m_query;
    QList<TapeLine> m_rows; // ascending ids
    // Every id from m_low to m_high has been looked at.
    qint64 m_low = 1;
    qint64 m_high = 0;
    qint64 m_lowest = 0; // the tape's lowest id when loading began
    bool m_atNewest = true;
    bool m_catchingUp = false;
    int m_wantOlder = 0;
    int m_wantNewer = 0;
    int m_pageSize = defaultPageSize;
    int m_maxRows = defaultMaxRows;
    bool m_loading = false;
    bool m_stepQueued = false;
    // Each start over (a reload, a jump, a new search) begins a generation;
    // a search step's lines of an older one are dropped.
    quint64 m_generation = 0;
    bool m_stepRunning = false;
    // Lines deleted while a search step ran, which it may still bring.
    QList<qint64> m_removedMeanwhile;
    // Declared last: destroyed first, it waits for the step that runs.
    std::unique_ptr<TapeReaderThread> m_searchThread;
};

} // namespace hitungrama
