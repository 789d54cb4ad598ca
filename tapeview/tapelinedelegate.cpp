#include "tapeview/tapelinedelegate.h"

#include "tape/tapemodel.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>

#include <algorithm>

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

QString TapeLineDelegate::shownText(const QString &expression, const QString &result,
                                    const QFontMetrics &metrics, int width)
{
    const QString tail = QStringLiteral(" = ") + result;
    const QString whole = expression + tail;
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    // The expression keeps at least its ellipsis; the rest goes to the result.
    const QString ellipsis(QChar(0x2026));
    const int tailWidth = std::min(metrics.horizontalAdvance(tail), width - metrics.horizontalAdvance(ellipsis));
    const QString head = metrics.elidedText(expression, Qt::ElideRight, std::max(0, width - tailWidth));
    return head + metrics.elidedText(tail, Qt::ElideRight, width - metrics.horizontalAdvance(head));
}

void TapeLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
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
                      shownText(index.data(TapeModel::ExpressionRole).toString(),
                                index.data(TapeModel::ResultRole).toString(), metrics, textArea.width()));
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
