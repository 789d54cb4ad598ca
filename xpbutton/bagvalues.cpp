#include "xpbutton/bagvalues.h"

#include "xpbutton/fontunits.h"

#include <cmath>

namespace hitungrama {

namespace {

std::optional<quint32> colourFromInteger(qint64 value)
{
    if (value < -2147483648LL || value > 0xFFFFFFFFLL)
        return std::nullopt;
    return quint32(value & 0xFFFFFFFFLL);
}

std::optional<quint32> colourFromText(QString text)
{
    text = text.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = text.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        number = qint64(digits.toULongLong(&ok, 16));
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        number = qint64(digits.toULongLong(&ok, 16));
    } else {
        number = text.toLongLong(&ok, 10);
    }
    if (!ok)
        return std::nullopt;
    return colourFromInteger(number);
}

} // namespace

std::optional<bool> booleanFromBag(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong() != 0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == "-1"
            || text == "1")
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || text == "0")
            return false;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<quint32> colourFromBag(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return colourFromInteger(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > 0xFFFFFFFFULL)
            return std::nullopt;
        return quint32(number);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double number = value.toDouble();
        if (!std::isfinite(number) || number != std::floor(number))
            return std::nullopt;
        if (number < -2147483648.0 || number > 4294967295.0)
            return std::nullopt;
        return colourFromInteger(qint64(number));
    }
    case QMetaType::QString:
        return colourFromText(value.toString());
    case QMetaType::QByteArray:
        return colourFromText(QString::fromUtf8(value.toByteArray()));
    default:
        return std::nullopt;
    }
}

std::optional<QString> textFromBag(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    case QMetaType::QChar:
        return QString(value.toChar());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return std::nullopt;
    }
}

std::optional<QFont> fontFromBag(const QVariant &value)
{
    if (value.typeId() == QMetaType::QFont) {
        const QFont font = value.value<QFont>();
        if (fontPoints(font) <= 0.0 || font.family().isEmpty())
            return std::nullopt;
        return font;
    }
    if (value.typeId() == QMetaType::QString) {
        QFont font;
        if (!font.fromString(value.toString()) || fontPoints(font) <= 0.0)
            return std::nullopt;
        return font;
    }
    return std::nullopt;
}

QVariant fontToBag(const QFont &font, double points)
{
    QFont stored(font.family());
    stored.setPointSizeF(points > 0.0 ? points : kDefaultFontPoints);
    stored.setBold(font.bold());
    stored.setItalic(font.italic());
    stored.setUnderline(font.underline());
    stored.setStrikeOut(font.strikeOut());
    return QVariant::fromValue(stored);
}

} // namespace hitungrama
