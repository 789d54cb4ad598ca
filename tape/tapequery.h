#pragma once

// TapeQuery: reading the tape in pages, with or without a search.
//
// A search is literal text looked for in "expression = result", ignoring
// ASCII case. Three or more characters go through the trigram index (the
// text is quoted as one FTS5 string, so quotes, "*", "AND" and the like are
// just characters). Trigrams can't serve one or two characters; those scan
// the table newest first with LIKE, at most scanSpan ids per step, so no
// step takes long even when the text is rare: a caller repeats steps until
// it has a page or has reached the end.

#include "tape/tapeline.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace hitungrama {

class TapeQuery {
public:
    // Ids one step of a short search examines (about 10 ms on a 2-core
    // machine, whatever the tape's length).
    static constexpr qint64 scanSpan = 20000;

    explicit TapeQuery(const QString &search = QString());

    const QString &search() const { return m_search; }
    bool isSearch() const { return m_mode != Mode::All; }

    struct Step {
        QList<TapeLine> lines;
        // Every id between `reached` and where the step started has been
        // examined: older() went down to it, newer() up to it.
        qint64 reached = 0;
        bool failed = false;
    };
    // Matching lines with an id below `before`, newest first, at most `limit`.
    Step older(const QSqlDatabase &db, qint64 before, int limit) const;
    // Matching lines with an id above `after` and at most `upTo`, oldest
    // first, at most `limit`.
    Step newer(const QSqlDatabase &db, qint64 after, qint64 upTo, int limit) const;

    // The lowest and highest id on the tape (0 when empty).
    static qint64 lowestId(const QSqlDatabase &db);
    static qint64 highestId(const QSqlDatabase &db);
    static int count(const QSqlDatabase &db);
    // Which of these ids are still on the tape, and those lines; `ok`, when
    // given, is false when reading failed.
    static QList<qint64> existingIds(const QSqlDatabase &db, const QList<qint64> &ids,
                                     bool *ok = nullptr);
    static QList<TapeLine> linesWithIds(const QSqlDatabase &db, const QList<qint64> &ids,
                                        bool *ok = nullptr);

    // The search text as one FTS5 string, and as a LIKE pattern (with '\' as
    // the escape character).
    static QString ftsString(const QString &text);
    static QString likePattern(const QString &text);

private:
    enum class Mode { All, Index, Scan };
    Step run(const QSqlDatabase &db, bool downwards, qint64 from, qint64 to, int limit) const;

    QString m_search;
    Mode m_mode = Mode::All;
};

} // namespace hitungrama
