#include "window/tapelinedelegate.h"

#include "tape/tapemodel.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>

namespace hitungrama {

namespace {

// Room between the text and the time, in average character widths.
constexpr int kGapCharacters = 2;

} // namespace

TapeLineDelegate::TapeLineDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QString TapeLineDelegate::timeText(const QDateTime &time, const QDateTime &now)
{
    const QDateTime local = time.toLocalTime();
    const QLocale locale;
    if (local.date() == now.toLocalTime().date())
        return locale.toString(local.time(), QLocale::ShortFormat);
    return locale.toString(local, QLocale::ShortFormat);
}

void TapeLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget != nullptr ? widget->style() : QApplication::style();
    // Background, selection and focus as the style draws them, then the two texts.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QFontMetrics &metrics = item.fontMetrics;
    const QString time = timeText(index.data(TapeModel::TimeRole).toDateTime(),
                                  QDateTime::currentDateTime());
    const int timeWidth = metrics.horizontalAdvance(time);
    const int gap = kGapCharacters * metrics.averageCharWidth();
    const bool selected = item.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (item.state & QStyle::State_Active)                               ? QPalette::Active
                                                                             : QPalette::Inactive;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textArea = area.adjusted(0, 0, -(timeWidth + gap), 0);
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(text, Qt::ElideMiddle, textArea.width()));
    if (!selected)
        painter->setPen(item.palette.color(group, QPalette::PlaceholderText));
    painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter, time);
    painter->restore();
}

QSize TapeLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    // Every row is as high as one of one character: the list asks the first
    // row only (uniform sizes).
    item.text = QStringLiteral("0");
    return QStyledItemDelegate::sizeHint(item, QModelIndex());
}

} // namespace hitungrama
