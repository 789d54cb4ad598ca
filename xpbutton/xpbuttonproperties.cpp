#include "xpbutton/xpbutton.h"

#include "xpbutton/bagvalues.h"
#include "xpbutton/fontunits.h"

#include <QAccessible>
#include <QLoggingCategory>
#include <QPointer>

Q_LOGGING_CATEGORY(lcXPButton, "hitungrama.xpbutton")

namespace hitungrama {

namespace {

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

} // namespace

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


void XPButton::applyFont(const QFont &font)
{
    const double points = fontPoints(font);
    m_fontPoints = points > 0.0 ? points : kDefaultFontPoints;
    m_font = fontFromPoints(font.family(), m_fontPoints, font.bold(), font.italic(),
                            font.underline(), font.strikeOut());
}

QString XPButton::keyHint() const
{
    return m_keyHint;
}

void XPButton::setKeyHint(const QString &hint)
{
    m_keyHint = hint;
}

} // namespace hitungrama
