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
// A short search may need several bounded steps to fill a page (TapeQuery);
// the model runs them from the event loop, about 30 ms at a time, so a key
// is never held up, and says so through isLoading().
//
// The members the tape window calls are virtual, as TapeStore's are.

#include "tape/tapeline.h"
#include "tape/tapequery.h"

#include <QAbstractListModel>
#include <QList>

namespace hitungrama {

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

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    const TapeLine &line(int row) const { return m_rows.at(row); }
    // The row showing this id, or -1.
    virtual int rowOf(qint64 id) const;

    // Shows only the lines whose text holds `text` (literally, ignoring
    // ASCII case), newest first from the bottom; empty shows every line.
    virtual void setSearch(const QString &text);
    const QString &search() const { return m_query.search(); }

    virtual bool canFetchOlder() const;
    virtual void fetchOlder();
    virtual bool canFetchNewer() const;
    virtual void fetchNewer();
    // Starts over at the newest page.
    void reload();

    // Rows per fetch, and the most rows held (at least two pages).
    void setPageSize(int rows);
    void setMaxRows(int rows);

    // A search is still filling a page.
    bool isLoading() const { return m_loading; }

signals:
    void loadingChanged(bool loading);

private:
    void loadSteps();
    void stepOlder();
    void stepNewer();
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
    int m_wantOlder = 0;
    int m_wantNewer = 0;
    int m_pageSize = defaultPageSize;
    int m_maxRows = defaultMaxRows;
    bool m_loading = false;
    bool m_stepQueued = false;
};

} // namespace hitungrama
