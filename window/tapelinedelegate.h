#pragma once

#include <QDateTime>
#include <QStyledItemDelegate>

namespace hitungrama {

// Draws one tape line on one row: the line's text on the left, shortened in
// the middle when it does not fit (so that its start and its result stay in
// sight), and its local time on the right. The whole text is the row's tool
// tip, and copy and export give it whole.
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
};

} // namespace hitungrama
