#include "xpbutton/xpbutton.h"

#include "xpbutton/accesskey.h"
#include "xpbutton/bagvalues.h"
#include "xpbutton/fontunits.h"
#include "xpbutton/keycodes.h"
#include "xpbutton/xpbuttonaccessible.h"
#include "xpbutton/xpbuttonrenderer.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(lcXPButton, "hitungrama.xpbutton")

namespace hitungrama {

namespace {

constexpr int kInitialWidth = 79;  // 1185 twips
constexpr int kInitialHeight = 51; // 765 twips
constexpr quint32 kInitialForeColor = 0x80000006;
constexpr int kHoverInterval = 1;
// How long a clicking key release waits for the press that would make it a
// repeat: the X server sends both at once, but they may be read apart.
constexpr int kRepeatWait = 20;

// A stored value that cannot be turned into its key's type is a fault of the
// saved layout: it is logged and the key's default is used instead.
template <typename T, typename Convert>
T readKey(const PropertyBag &bag, const char *key, Convert convert, const T &fallback)
{
    const QString name = QString::fromLatin1(key);
    if (!bag.contains(name))
        return fallback;
    if (const auto value = convert(bag.read(name, QVariant())))
        return *value;
    qCWarning(lcXPButton, "the value under \"%s\" cannot be read; its default is used", key);
    return fallback;
}

void writeOrOmit(PropertyBag &bag, const QString &key, const QVariant &value, bool omit)
{
    // A value equal to its default is not stored; a stale one is dropped too,
    // so that reading gives the default again.
    if (omit)
        bag.remove(key);
    else
        bag.write(key, value);
}

void postFocusMove(bool forward)
{
    // Delivered later to whatever then has the focus, as a typed Tab would be.
    QMetaObject::invokeMethod(
        qApp,
        [forward] {
            QWidget *target = QApplication::focusWidget();
            if (!target)
                return;
            // Backtab alone means Shift+Tab; a Shift modifier here would stick in
            // the application's idea of the held modifiers.
            QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(target, &tab);
        },
        Qt::QueuedConnection);
}

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

void XPButton::initNewInstance(const AmbientProperties &ambient)
{
    applyFont(ambient.font);
    m_captionText = QStringLiteral("Command") + ambient.displayName.mid(8);
    m_enabledFlag = true;
}

void XPButton::readProperties(const PropertyBag &bag, const AmbientProperties &ambient)
{
    m_enabledFlag = readKey(bag, "Enabled", booleanFromBag, true);
    applyFont(readKey(bag, "Font", fontFromBag, ambient.font));
    m_captionText = readKey(bag, "Caption", textFromBag, ambient.displayName);
    m_foreColor = readKey(bag, "ForeColor", colourFromBag, ambient.foreColor);
    m_foreHoverColor = readKey(bag, "ForeHover", colourFromBag, m_foreColor);
    setEnabled(m_enabledFlag);
    UpdateAccessKey();
}

void XPButton::writeProperties(PropertyBag &bag, const AmbientProperties &ambient) const
{
    writeOrOmit(bag, QStringLiteral("Enabled"), m_enabledFlag, m_enabledFlag);
    const QVariant font = fontToBag(m_font, m_fontPoints);
    writeOrOmit(bag, QStringLiteral("Font"), font,
                sameFontDescription(font.value<QFont>(), ambient.font));
    writeOrOmit(bag, QStringLiteral("Caption"), m_captionText,
                m_captionText == ambient.displayName);
    bag.write(QStringLiteral("ForeColor"), m_foreColor);
    writeOrOmit(bag, QStringLiteral("ForeHover"), m_foreHoverColor,
                m_foreHoverColor == ambient.foreColor);
}

bool XPButton::isButtonEnabled() const
{
    return m_enabledFlag;
}

void XPButton::setButtonEnabled(bool enabled)
{
    QPointer<XPButton> self(this);
    m_enabledFlag = enabled;
    emit propertyChanged(QStringLiteral("Enabled"));
    if (!self)
        return;
    setEnabled(enabled);
    if (!enabled)
        m_pressArmed = false;
    Repaint(0);
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

QFont XPButton::buttonFont() const
{
    return m_font;
}

double XPButton::buttonFontPoints() const
{
    return m_fontPoints;
}

void XPButton::setButtonFont(const QFont &font)
{
    applyFont(font);
    Repaint(0);
    emit propertyChanged(QStringLiteral("Font"));
}

QString XPButton::caption() const
{
    return m_captionText;
}

void XPButton::setCaption(const QString &caption)
{
    m_captionText = caption;
    Repaint(0);
    UpdateAccessKey();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    emit propertyChanged(QStringLiteral("Caption"));
}

quint32 XPButton::foreColor() const
{
    return m_foreColor;
}

void XPButton::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    Repaint(0);
    emit propertyChanged(QStringLiteral("ForeColor"));
}

quint32 XPButton::foreHover() const
{
    return m_foreHoverColor;
}

void XPButton::setForeHover(quint32 colour)
{
    m_foreHoverColor = colour;
    emit propertyChanged(QStringLiteral("ForeHover"));
}

const QImage &XPButton::image() const
{
    drawDeferredLook();
    return m_image;
}

QString XPButton::accessKey() const
{
    return m_accessKey;
}

void XPButton::applyFont(const QFont &font)
{
    const double points = fontPoints(font);
    m_fontPoints = points > 0.0 ? points : kDefaultFontPoints;
    m_font = fontFromPoints(font.family(), m_fontPoints, font.bold(), font.italic(),
                            font.underline(), font.strikeOut());
}

void XPButton::Measure()
{
    m_clientWidth = std::max(width(), 0);
    m_clientHeight = std::max(height(), 0);
    m_ratio = devicePixelRatioF();
    const QSize device = deviceSize(m_ratio);
    m_columns = PixelGrid(m_clientWidth, device.width(), m_ratio);
    m_rows = PixelGrid(m_clientHeight, device.height(), m_ratio);
    if (m_image.size() != device || m_image.devicePixelRatio() != m_ratio) {
        m_image = device.isEmpty() ? QImage() : QImage(device, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(m_ratio);
    }
    Repaint(0);
}

QSize XPButton::deviceSize(qreal ratio) const
{
    // At a fractional ratio the device size depends on where the button lies
    // in its window, since Qt rounds each edge to the nearest device pixel.
    const QPoint at = PixelGrid::isWhole(ratio) ? QPoint() : mapTo(window(), QPoint(0, 0));
    return QSize(PixelGrid::deviceSpan(at.x(), m_clientWidth, ratio),
                 PixelGrid::deviceSpan(at.y(), m_clientHeight, ratio));
}

bool XPButton::deviceGeometryChanged() const
{
    const qreal ratio = devicePixelRatioF();
    return ratio != m_ratio
        || deviceSize(ratio) != QSize(m_columns.deviceLength(), m_rows.deviceLength());
}

void XPButton::Repaint(short pressRequested)
{
    // A hidden button is drawn when it is shown (showEvent repaints), so the
    // resizes and property writes of start-up draw each button only once.
    if (!isVisible())
        return;
    drawLook(currentLook(pressRequested));
}

void XPButton::drawLook(const ButtonLook &look)
{
    m_lookDeferred = false;
    if (!m_image.isNull())
        XPButtonRenderer::paint(m_image, m_columns, m_rows, look);
    ApplyWindowShape();
    update();
}

ButtonLook XPButton::currentLook(short pressRequested) const
{
    ButtonLook look;
    look.enabled = m_enabledFlag;
    look.hover = m_hoverFlag;
    look.focus = m_focusFlag;
    look.pressRequested = pressRequested == 1;
    look.pressButton = m_pressButton;
    look.caption = m_captionText;
    look.font = m_font;
    look.foreColor = m_foreColor;
    look.foreHover = m_foreHoverColor;
    return look;
}

void XPButton::drawDeferredLook() const
{
    if (!m_lookDeferred)
        return;
    m_lookDeferred = false;
    if (!m_image.isNull())
        XPButtonRenderer::paint(m_image, m_columns, m_rows, m_deferredLook);
}

void XPButton::ApplyWindowShape()
{
    QRegion shape = XPButtonRenderer::windowShape(m_clientWidth, m_clientHeight);
    // An empty mask would show the whole widget; a button too small to keep
    // any pixel gets a shape that lies wholly outside it instead.
    if (shape.isEmpty())
        shape = QRegion(-1, -1, 1, 1);
    setMask(shape);
}

void XPButton::refresh()
{
    update();
}

bool XPButton::insideShape(QPoint local) const
{
    const QRegion shape = mask();
    return shape.isEmpty() ? rect().contains(local) : shape.contains(local);
}

bool XPButton::IsPointerOver(QPoint local) const
{
    // The point comes with the pointer event, so nothing asks the display
    // server (on Wayland a cursor query only repeats the last event anyway).
    // A cut-off corner or a sibling lying over the button counts as outside.
    if (!insideShape(local))
        return false;
    const QWidget *top = window();
    return top == this || top->childAt(mapTo(top, local)) == this;
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

bool XPButton::clickFromKeyboard(int pressedMs)
{
    if (!m_enabledFlag || !isEnabled() || !isVisible())
        return false;
    showPressedFor(pressedMs);
    emit Click();
    return true;
}

void XPButton::showPressedFor(int milliseconds)
{
    // The pressed face as a left press draws it, without touching pressButton:
    // the key map is not a press of this button's own.
    ButtonLook look = currentLook(1);
    look.pressButton = 1;
    drawLook(look);
    if (m_pressedLookTimer == nullptr) {
        m_pressedLookTimer = new QTimer(this);
        m_pressedLookTimer->setSingleShot(true);
        connect(m_pressedLookTimer, &QTimer::timeout, this, [this] { Repaint(0); });
    }
    m_pressedLookTimer->start(milliseconds);
}

QString XPButton::keyHint() const
{
    return m_keyHint;
}

void XPButton::setKeyHint(const QString &hint)
{
    m_keyHint = hint;
}

void XPButton::paintEvent(QPaintEvent *event)
{
    // The window may have moved to a screen with another ratio.
    if (deviceGeometryChanged())
        Measure();
    drawDeferredLook();
    QPainter painter(this);
    if (m_image.isNull())
        return;
    if (m_ratio == 1.0) {
        painter.drawImage(event->rect(), m_image, event->rect());
        return;
    }
    // Image pixel 0 goes to the device pixel that Qt's clip gives the left
    // edge, so at a fractional ratio no column is split or lost.
    const QPointF origin = painter.deviceTransform().map(QPointF(0, 0));
    const QPointF shift((qRound(origin.x()) - origin.x()) / m_ratio,
                        (qRound(origin.y()) - origin.y()) / m_ratio);
    painter.drawImage(QRectF(shift, QSizeF(m_image.size()) / m_ratio), m_image,
                      QRectF(m_image.rect()));
}

void XPButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Measure();
}

void XPButton::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The resting look as it is now, drawn before the button first reaches
    // the screen: a window shows all its buttons before it is mapped, and
    // drawing them here would hold its first appearance back. Any later
    // repaint draws at once and replaces this one.
    m_deferredLook = currentLook(0);
    m_lookDeferred = true;
    ApplyWindowShape();
    update();
}

void XPButton::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_pointerOver = false;
    endHover();
}

void XPButton::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!PixelGrid::isWhole(m_ratio) && deviceGeometryChanged())
        Measure();
}

void XPButton::handleMouseDown(short button, short shift, float x, float y)
{
    if (!m_enabledFlag)
        return;
    // The press grabs the mouse: Qt holds Leave back until the release, so
    // the timer watches the motion events for the pointer leaving.
    if (m_hoverFlag)
        m_hoverTimer->start();
    QPointer<XPButton> self(this);
    emit MouseDown(button, shift, x, y);
    if (!self)
        return;
    m_pressButton = button;
    m_pressArmed = true;
    const quint64 releasesBefore = m_releaseSerial;
    refresh();
    // Lets queued notifications run first; any of them may disable, hide or
    // destroy this button, or handle the release already.
    QCoreApplication::processEvents();
    if (!self)
        return;
    if (!m_enabledFlag || !isEnabled() || !isVisible()) {
        m_pressArmed = false;
        return;
    }
    if (m_releaseSerial != releasesBefore)
        return;
    Repaint(1);
}

void XPButton::mousePressEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    m_pointerOver = IsPointerOver(at.toPoint());
    handleMouseDown(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                    float(at.x()), float(at.y()));
}

void XPButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (m_pressButton != 1)
        return;
    // The press grabs the mouse, so the coming release reaches this button;
    // that release raises Click like any other, so no quick second press is lost.
    handleMouseDown(1, 0, 0.0f, 0.0f);
}

void XPButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    ++m_releaseSerial;
    // With every button up, Qt reports a leave that happened during the grab.
    if (event->buttons() == Qt::NoButton)
        m_hoverTimer->stop();
    const bool armed = m_pressArmed;
    m_pressArmed = false;
    const QPointF at = event->position();
    emit MouseUp(mouseButtonCode(event->button()), shiftState(event->modifiers()),
                 float(at.x()), float(at.y()));
    if (!self)
        return;
    Repaint(0);
    refresh();
    // Without the hover look the timer is off and cannot reset the latch; a
    // drag that left and came back would otherwise block every later hover.
    if (!m_hoverFlag)
        m_moveLatch = 0;
    if (armed && insideShape(at.toPoint()))
        handleClick();
}

void XPButton::handleClick()
{
    if (m_pressButton != 1)
        return;
    Repaint(0);
    refresh();
    emit Click();
}

void XPButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    const short button = mouseButtonCode(event->buttons());
    const QPointF at = event->position();
    m_pointerOver = IsPointerOver(at.toPoint());
    if (button < 2) {
        if (m_pointerOver) {
            if (m_moveLatch == 1)
                return;
            m_moveLatch = 1;
            if (button == 0 && !m_hoverFlag) {
                m_hoverFlag = true;
                m_moveLatch = 0;
                Repaint(0);
                QPointer<XPButton> self(this);
                emit MouseOver();
                if (!self)
                    return;
            } else if (button == 1) {
                m_hoverFlag = true;
                Repaint(1);
                m_hoverFlag = false;
            }
        } else {
            if (m_moveLatch == 0)
                return;
            Repaint(0);
        }
    }
    emit MouseMove(button, shiftState(event->modifiers()), float(at.x()), float(at.y()));
}

void XPButton::hoverTimerTick()
{
    // Runs only while a mouse button is held over the hovered button; the
    // last motion event says whether the pointer is still over it.
    if (QGuiApplication::mouseButtons() == Qt::NoButton)
        m_hoverTimer->stop();
    if (!m_pointerOver)
        endHover();
}

void XPButton::endHover()
{
    m_hoverTimer->stop();
    if (!m_hoverFlag)
        return;
    m_hoverFlag = false;
    m_moveLatch = 0;
    Repaint(0);
    emit MouseOut();
}

void XPButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    m_focusFlag = true;
    if (m_enabledFlag) {
        m_pressButton = 1;
        refresh();
        Repaint(0);
    }
}

void XPButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_focusFlag = false;
    // A key-up clicks only after a key-down this button saw since it gained
    // the focus: the release of the Return that closed a box this button
    // opened reaches it again and must not open the box anew.
    m_lastKeyCode = 0;
    Repaint(0);
}

void XPButton::keyPressEvent(QKeyEvent *event)
{
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    const short code = keyCodeOf(*event);
    const short shift = shiftState(event->modifiers());
    const bool repeat = m_keyRepeat.isRepeat(*event);
    // The waiting release was half of this pair: the key is still held.
    if (m_keyRepeat.completesPair(*event))
        m_keyUpTimer->stop();
    finishWaitingKeyUp();
    if (!self || !m_enabledFlag)
        return;
    // Only a fresh press made while this button has the focus starts a key
    // press; a repeat continues one that has not clicked yet. A key already
    // down when the focus came, such as the Return that closed a box this
    // button opened, neither arms the button nor looks pressed.
    const bool pressing = !repeat || m_lastKeyCode == code;
    m_lastKeyCode = pressing ? code : 0;
    switch (code) {
    case KeyCode::Enter:
    case KeyCode::Space:
        if (pressing)
            Repaint(1);
        break;
    case KeyCode::Left:
    case KeyCode::Right:
        postFocusMove(true);
        break;
    case KeyCode::Up:
    case KeyCode::Down:
        postFocusMove(false);
        break;
    default:
        break;
    }
    emit KeyDown(code, shift);
    if (!self)
        return;
    // The character as a 16-bit code unit (those above 0x7FFF come out negative).
    const QString text = event->text();
    if (!text.isEmpty())
        emit KeyPress(short(text.at(0).unicode()));
}

void XPButton::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats only its key-down, so its one release clicks once.
    if (event->isAutoRepeat())
        return;
    if (!m_enabledFlag) {
        event->ignore();
        return;
    }
    QPointer<XPButton> self(this);
    finishWaitingKeyUp();
    if (!self || !m_enabledFlag)
        return;
    const short code = keyCodeOf(*event);
    const short shift = shiftState(event->modifiers());
    m_keyUpCode = code;
    m_keyUpShift = shift;
    m_keyRepeat.noteRelease(*event);
    if ((code == KeyCode::Space && m_lastKeyCode == KeyCode::Space)
        || (code == KeyCode::Enter && m_lastKeyCode == KeyCode::Enter)) {
        // A release from the window system may be the first half of a repeat:
        // Click and KeyUp wait for its press. One without a time cannot be.
        if (KeyRepeat::mayPair(*event))
            m_keyUpTimer->start();
        else
            finishKeyUp();
        return;
    }
    emit KeyUp(code, shift);
}

void XPButton::finishKeyUp()
{
    // A button disabled while its release waited gives no Click.
    if (!m_enabledFlag || !isEnabled()) {
        Repaint(0);
        return;
    }
    QPointer<XPButton> self(this);
    Repaint(0);
    m_pressButton = 1;
    // One key-down, one Click. Where no window manager moves the focus to
    // the box this Click opens, the focus never leaves this button, and the
    // release of the Return that closed the box arrives here next.
    m_lastKeyCode = 0;
    refresh();
    emit Click();
    if (!self)
        return;
    emit KeyUp(m_keyUpCode, m_keyUpShift);
}

void XPButton::finishWaitingKeyUp()
{
    // Any other key event shows that the waiting release was a real one; its
    // Click comes first.
    if (!m_keyUpTimer->isActive())
        return;
    m_keyUpTimer->stop();
    finishKeyUp();
}

} // namespace hitungrama
