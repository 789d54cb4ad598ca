#include "keyboard/keyhintoverlay.h"

#include "xpbutton/xpbutton.h"

#include <QFontMetrics>
#include <QPainter>

namespace hitungrama {

namespace {

constexpr int kFontPixels = 9;
constexpr int kPadding = 1;

} // namespace

KeyHintOverlay::KeyHintOverlay(std::vector<XPButton *> buttons, QWidget *window)
    : QWidget(window)
    , m_buttons(std::move(buttons))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    QFont hintFont = font();
    hintFont.setPixelSize(kFontPixels);
    setFont(hintFont);
    hide();
}

void KeyHintOverlay::showHints()
{
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
}

QRect KeyHintOverlay::labelRect(const XPButton *button) const
{
    if (button->isHidden() || button->keyHint().isEmpty())
        return {};
    const QFontMetrics metrics(font());
    const QSize text(metrics.horizontalAdvance(button->keyHint()), metrics.height());
    // Astride the button's top edge, so that the caption stays readable.
    const QRect bounds = button->geometry();
    return QRect(QPoint(bounds.left() + 1, bounds.top() - text.height() / 2),
                 text + QSize(2 * kPadding + 2, 0));
}

void KeyHintOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    for (const XPButton *button : m_buttons) {
        const QRect area = labelRect(button);
        if (area.isEmpty())
            continue;
        painter.fillRect(area, QColor(255, 255, 225));
        painter.setPen(QColor(96, 96, 96));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.setPen(button->isButtonEnabled() ? Qt::black : QColor(128, 128, 128));
        painter.drawText(area, Qt::AlignCenter, button->keyHint());
    }
}

} // namespace hitungrama
