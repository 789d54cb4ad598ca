#pragma once

#include <QDateTime>
#include <QStyledItemDelegate>

namespace hitungrama {

// Draws one tape line on one row: the line's text on the left and its local
// time on the right. A line too long for the row loses the end of its
// expression, never " = result", which stays in sight as far as it fits. The
// whole text is the row's tool tip, and copy and export give it whole.
class TapeLineDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TapeLineDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // Only the height counts: the list gives every row its whole width.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The time as the row shows it, in local time: the time of day alone for
    // a line of today, else the short date too.
    static QString timeText(const QDateTime &time, const QDateTime &now);
    // "expression = result" as the row shows it in `width` pixels: the
    // expression cut at its end ("…") first, then the result at its end.
    static QString shownText(const QString &expression, const QString &result, const QFontMetrics &metrics,
                             int width);
};

} // namespace hitungrama
