#include "xpbutton/xpbutton.h"

#include "xpbutton/accesskey.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/xpbuttonaccessible.h"

#include <QKeySequence>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>

namespace hitungrama {

namespace {

constexpr int kInitialWidth = 79;  // 1185 twips
constexpr int kInitialHeight = 51; // 765 twips
constexpr quint32 kInitialForeColor = 0x80000006;
constexpr int kHoverInterval = 1;
// How long a clicking key release waits for the press that would make it a
// repeat: the X server sends both at once, but they may be read apart.
constexpr int kRepeatWait = 20;

} // namespace

XPButton::XPButton(QWidget *parent) : QWidget(parent)
{
    XPButtonAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font = fontFromPoints(QStringLiteral("Tahoma"), kDefaultFontPoints);
    m_fontPoints = kDefaultFontPoints;
    m_foreColor = kInitialForeColor;

    m_hoverTimer = new QTimer(this);
    m_hoverTimer->setObjectName(QStringLiteral("HoverTimer"));
    m_hoverTimer->setInterval(kHoverInterval);
    connect(m_hoverTimer, &QTimer::timeout, this, &XPButton::hoverTimerTick);

    m_keyUpTimer = new QTimer(this);
    m_keyUpTimer->setObjectName(QStringLiteral("KeyUpTimer"));
    m_keyUpTimer->setSingleShot(true);
    m_keyUpTimer->setInterval(kRepeatWait);
    connect(m_keyUpTimer, &QTimer::timeout, this, &XPButton::finishKeyUp);

    resize(kInitialWidth, kInitialHeight);
    Measure();
}

XPButton::~XPButton() = default;

QString XPButton::accessKey() const
{
    return m_accessKey;
}

void XPButton::UpdateAccessKey()
{
    if (m_accessShortcutId != 0) {
        releaseShortcut(m_accessShortcutId);
        m_accessShortcutId = 0;
    }
    m_accessKey = accessKeyOfCaption(m_captionText);
    if (m_accessKey.isEmpty())
        return;
    const QChar key = m_accessKey.at(0).toUpper();
    if (key.isSurrogate() || key.unicode() < 0x20)
        return;
    m_accessShortcutId = grabShortcut(
        QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.unicode()))),
        Qt::WindowShortcut);
}

bool XPButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Leave: {
        // The pointer left the button, its window was covered or hidden.
        QPointer<XPButton> self(this);
        m_pointerOver = false;
        endHover();
        if (!self)
            return true;
        break;
    }
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        if (deviceGeometryChanged())
            Measure();
        break;
    case QEvent::Shortcut:
        if (m_accessShortcutId != 0
            && static_cast<QShortcutEvent *>(event)->shortcutId() == m_accessShortcutId) {
            pressFromAccessibility();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void XPButton::pressFromAccessibility()
{
    if (!m_enabledFlag || !isEnabled() || !isVisible())
        return;
    m_pressButton = 1;
    handleClick();
}

} // namespace hitungrama
