#include "layout/layoutloader.h"

#include "layout/controlid.h"
#include "layout/controlnames.h"
#include "layout/twips.h"
#include "layout/windowresources.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <limits>

namespace hitungrama::LayoutLoader {

namespace {

// Thrown inside the parser only; parse() turns it into Result::error.
struct LayoutError {
    QString message;
};

[[noreturn]] void fail(const QString &context, const QString &what)
{
    throw LayoutError{context.isEmpty() ? what : context + QStringLiteral(": ") + what};
}

QString describe(const ControlDescription &control)
{
    return controlIdText(control.name, control.index);
}

QJsonValue required(const QJsonObject &object, const char *key, const QString &context)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        fail(context, QStringLiteral("missing \"%1\"").arg(QLatin1String(key)));
    return value;
}

QString toString(const QJsonValue &value, const char *key, const QString &context)
{
    if (!value.isString())
        fail(context, QStringLiteral("\"%1\" must be a text").arg(QLatin1String(key)));
    return value.toString();
}

bool toBool(const QJsonValue &value, const char *key, const QString &context)
{
    if (!value.isBool())
        fail(context, QStringLiteral("\"%1\" must be true or false").arg(QLatin1String(key)));
    return value.toBool();
}

int toInt(const QJsonValue &value, const char *key, const QString &context, int minimum,
          int maximum)
{
    const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!value.isDouble() || !std::isfinite(number) || std::floor(number) != number
        || number < minimum || number > maximum) {
        fail(context, QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                          .arg(QLatin1String(key))
                          .arg(minimum)
                          .arg(maximum));
    }
    return static_cast<int>(number);
}

// A position or size in twips; it must fall on whole pixels.
int toTwips(const QJsonValue &value, const char *key, const QString &context, int minimum)
{
    const int twipsValue = toInt(value, key, context, minimum, 1 << 20);
    if (twipsValue % twips::kPerPixel != 0)
        fail(context, QStringLiteral("\"%1\" is not a whole number of pixels").arg(QLatin1String(key)));
    return twipsValue;
}

// Colours are 0x00BBGGRR or a system reference 0x800000nn, written as a
// hexadecimal text "0x..." or as a plain number.
quint32 toColour(const QJsonValue &value, const char *key, const QString &context)
{
    if (value.isString()) {
        const QString text = value.toString();
        bool ok = false;
        const qulonglong number = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
            ? text.mid(2).toULongLong(&ok, 16)
            : 0;
        if (ok && text.size() > 2 && number <= 0xFFFFFFFFull)
            return static_cast<quint32>(number);
    } else if (value.isDouble()) {
        const double number = value.toDouble();
        if (std::floor(number) == number && number >= 0 && number <= 4294967295.0)
            return static_cast<quint32>(number);
    }
    fail(context, QStringLiteral("\"%1\" must be a colour such as \"0x00BBGGRR\"").arg(QLatin1String(key)));
}

// Reads the fields of one JSON object; every error names the object.
class FieldReader {
public:
    FieldReader(const QJsonObject &object, const QString &context)
        : m_object(object)
        , m_context(context)
    {
    }

    const QString &context() const { return m_context; }
    void setContext(const QString &context) { m_context = context; }

    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }
    QJsonValue value(const char *key) const { return required(m_object, key, m_context); }
    QString text(const char *key) const { return toString(value(key), key, m_context); }
    bool flag(const char *key) const { return toBool(value(key), key, m_context); }
    int whole(const char *key, int minimum, int maximum) const
    {
        return toInt(value(key), key, m_context, minimum, maximum);
    }
    int twipsValue(const char *key, int minimum) const
    {
        return toTwips(value(key), key, m_context, minimum);
    }
    quint32 colour(const char *key) const { return toColour(value(key), key, m_context); }

private:
    const QJsonObject &m_object;
    QString m_context;
};

FontDescription toFont(const QJsonValue &value, const QString &context)
{
    if (!value.isObject())
        fail(context, QStringLiteral("\"font\" must be an object"));
    const QJsonObject object = value.toObject();
    const FieldReader fields(object, context + QStringLiteral(" font"));
    FontDescription font;
    font.name = fields.text("name");
    if (font.name.isEmpty())
        fail(fields.context(), QStringLiteral("\"name\" is empty"));
    const QJsonValue size = fields.value("size");
    font.size = size.toDouble(-1);
    if (!size.isDouble() || !(font.size >= 1 && font.size <= 1000))
        fail(fields.context(), QStringLiteral("\"size\" must be a number of points from 1 to 1000"));
    const auto flag = [&](const char *key) { return fields.has(key) && fields.flag(key); };
    font.bold = flag("bold");
    font.italic = flag("italic");
    font.underline = flag("underline");
    font.strikeOut = flag("strikethrough");
    for (auto it = object.begin(); it != object.end(); ++it) {
        static const QSet<QString> known = {QStringLiteral("name"), QStringLiteral("size"),
                                            QStringLiteral("bold"), QStringLiteral("italic"),
                                            QStringLiteral("underline"),
                                            QStringLiteral("strikethrough")};
        if (!known.contains(it.key()))
            fail(fields.context(), QStringLiteral("unknown key \"%1\"").arg(it.key()));
    }
    return font;
}

FormDescription parseForm(const QJsonValue &value)
{
    if (!value.isObject())
        fail(QString(), QStringLiteral("\"form\" must be an object"));
    const QJsonObject object = value.toObject();
    const FieldReader fields(object, QStringLiteral("form"));
    const QString &context = fields.context();
    FormDescription form;
    form.name = fields.text("name");
    form.caption = fields.text("caption");
    form.clientWidth = fields.twipsValue("clientWidth", 15);
    form.clientHeight = fields.twipsValue("clientHeight", 15);
    form.borderWidth = fields.twipsValue("borderWidth", 0);
    form.narrowOuterWidth = fields.twipsValue("narrowOuterWidth", 15);
    form.wideOuterWidth = fields.twipsValue("wideOuterWidth", 15);
    if (form.narrowOuterWidth != form.clientWidth + form.borderWidth)
        fail(context, QStringLiteral("\"narrowOuterWidth\" must be the client width plus the border"));
    if (form.wideOuterWidth <= form.borderWidth)
        fail(context, QStringLiteral("\"wideOuterWidth\" leaves no client area"));
    form.font = toFont(fields.value("font"), context);
    form.foreColor = fields.colour("foreColor");
    form.backColor = fields.colour("backColor");
    form.picture = fields.text("picture");
    const QJsonValue icons = fields.value("icons");
    if (!icons.isArray())
        fail(context, QStringLiteral("\"icons\" must be a list of {\"path\", \"size\"}"));
    for (const QJsonValue &icon : icons.toArray()) {
        if (!icon.isObject())
            fail(context, QStringLiteral("\"icons\" must be a list of {\"path\", \"size\"}"));
        const QJsonObject entry = icon.toObject();
        const FieldReader iconFields(entry, context + QStringLiteral(" icon"));
        form.icons.push_back({iconFields.text("path"), iconFields.whole("size", 1, 1024)});
    }
    return form;
}

ControlType parseType(const FieldReader &fields)
{
    const QString type = fields.text("type");
    const QString &context = fields.context();
    if (type == QLatin1String("TextBox"))
        return ControlType::TextBox;
    if (type == QLatin1String("CheckBox"))
        return ControlType::CheckBox;
    if (type == QLatin1String("XPButton"))
        return ControlType::XPButton;
    if (type == QLatin1String("Label"))
        return ControlType::Label;
    if (type == QLatin1String("Line"))
        return ControlType::Line;
    fail(context, QStringLiteral("unknown control type \"%1\"").arg(type));
}

void parseButtonProperties(const QJsonValue &value, ControlDescription &control,
                           const QString &context)
{
    if (!value.isObject())
        fail(context, QStringLiteral("\"properties\" must be an object"));
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        const QByteArray latin = key.toLatin1();
        const char *name = latin.constData();
        if (key == QLatin1String("extent")) {
            const QJsonArray extent = it.value().toArray();
            if (!it.value().isArray() || extent.size() != 2)
                fail(context, QStringLiteral("\"extent\" must be [width, height] in HIMETRIC"));
            control.extent = QSize(toInt(extent[0], "extent", context, 0, 1 << 22),
                                   toInt(extent[1], "extent", context, 0, 1 << 22));
        } else if (key == QLatin1String("enabled")) {
            control.properties.write(key, toBool(it.value(), name, context));
        } else if (key == QLatin1String("caption")) {
            control.properties.write(key, toString(it.value(), name, context));
        } else if (key == QLatin1String("forecolor") || key == QLatin1String("forehover")) {
            control.properties.write(key, toColour(it.value(), name, context));
        } else if (key == QLatin1String("font")) {
            control.properties.write(key, toFont(it.value(), context).toFont());
        } else {
            fail(context, QStringLiteral("unknown saved property \"%1\"").arg(key));
        }
    }
    const QSize expected(twips::toHimetric(control.bounds.width()),
                         twips::toHimetric(control.bounds.height()));
    if (!object.contains(QLatin1String("extent")))
        fail(context, QStringLiteral("saved properties lack \"extent\""));
    if (control.extent != expected) {
        fail(context, QStringLiteral("extent %1 x %2 does not match the size (expected %3 x %4)")
                          .arg(control.extent.width())
                          .arg(control.extent.height())
                          .arg(expected.width())
                          .arg(expected.height()));
    }
}

Qt::Alignment parseAlignment(const FieldReader &fields)
{
    const QString text = fields.text("alignment");
    if (text == QLatin1String("left"))
        return Qt::AlignLeft;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    if (text == QLatin1String("center"))
        return Qt::AlignHCenter;
    fail(fields.context(), QStringLiteral("\"alignment\" must be left, right or center"));
}

// The fields that only one type of control has.
void parseTypeFields(const FieldReader &fields, ControlDescription &control)
{
    switch (control.type) {
    case ControlType::TextBox:
        control.text = fields.text("text");
        if (fields.has("alignment"))
            control.alignment = parseAlignment(fields);
        break;
    case ControlType::CheckBox:
        control.caption = fields.text("caption");
        if (fields.has("value"))
            control.value = fields.whole("value", 0, 2);
        break;
    case ControlType::Label: {
        control.caption = fields.text("caption");
        const QString style = fields.has("backStyle") ? fields.text("backStyle") : QStringLiteral("opaque");
        if (style != QLatin1String("opaque") && style != QLatin1String("transparent"))
            fail(fields.context(), QStringLiteral("\"backStyle\" must be opaque or transparent"));
        control.opaque = style == QLatin1String("opaque");
        break;
    }
    case ControlType::XPButton:
        parseButtonProperties(fields.value("properties"), control, fields.context());
        break;
    case ControlType::Line:
        break;
    }
}

ControlDescription parseControl(const QJsonValue &value, int position)
{
    const QString where = QStringLiteral("control #%1").arg(position);
    if (!value.isObject())
        fail(where, QStringLiteral("must be an object"));
    const QJsonObject object = value.toObject();
    FieldReader fields(object, where);
    ControlDescription control;
    control.name = fields.text("name");
    if (control.name.isEmpty())
        fail(fields.context(), QStringLiteral("\"name\" is empty"));
    if (fields.has("index"))
        control.index = fields.whole("index", 0, 32767);
    fields.setContext(describe(control));
    control.type = parseType(fields);

    if (control.type == ControlType::Line) {
        control.line = QLine(fields.twipsValue("x1", 0), fields.twipsValue("y1", 0),
                             fields.twipsValue("x2", 0), fields.twipsValue("y2", 0));
        control.foreColor = fields.colour("color");
        return control;
    }

    control.bounds = QRect(fields.twipsValue("left", 0), fields.twipsValue("top", 0),
                           fields.twipsValue("width", 15), fields.twipsValue("height", 15));
    control.tabIndex = fields.whole("tabIndex", 0, 32767);
    if (fields.has("toolTip"))
        control.toolTip = fields.text("toolTip");
    if (fields.has("visible"))
        control.visible = fields.flag("visible");
    if (fields.has("font"))
        control.font = toFont(fields.value("font"), fields.context());
    if (fields.has("foreColor"))
        control.foreColor = fields.colour("foreColor");
    if (fields.has("backColor"))
        control.backColor = fields.colour("backColor");
    parseTypeFields(fields, control);
    return control;
}

// The controls the window's panel drives; a layout without them is refused.
void checkRequiredControls(const FormLayout &layout)
{
    const auto require = [&](const QString &name, int index, ControlType type) {
        const ControlDescription *control = layout.find(name, index);
        const QString id = controlIdText(name, index);
        if (control == nullptr)
            fail(QString(), QStringLiteral("the layout lacks %1").arg(id));
        if (control->type != type)
            fail(id, QStringLiteral("has the wrong control type"));
    };
    require(controlname::kDisplay, -1, ControlType::TextBox);
    require(controlname::kBinaryMode, -1, ControlType::CheckBox);
    require(controlname::kMemoryValue, -1, ControlType::Label);
    require(controlname::kMemoryIndicator, -1, ControlType::Label);
    require(controlname::kWidthToggleButton, -1, ControlType::XPButton);
    require(controlname::kToDecimalButton, -1, ControlType::XPButton);
    for (int i = 0; i < 10; ++i) {
        require(controlname::kDigitButtons, i, ControlType::XPButton);
        require(controlname::kTableOperands, i, ControlType::Label);
        require(controlname::kTableProducts, i, ControlType::Label);
    }
}

FormLayout parseLayout(const QByteArray &json)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        fail(QString(), QStringLiteral("not valid JSON at offset %1: %2")
                            .arg(parseError.offset)
                            .arg(parseError.errorString()));
    }
    if (!document.isObject())
        fail(QString(), QStringLiteral("the layout must be a JSON object"));
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != QLatin1String("hitungrama-layout")
        || root.value(QLatin1String("version")).toInt(-1) != 1) {
        fail(QString(), QStringLiteral("not a version 1 hitungrama-layout"));
    }

    FormLayout layout;
    layout.form = parseForm(root.value(QLatin1String("form")));
    const QJsonValue controls = root.value(QLatin1String("controls"));
    if (!controls.isArray())
        fail(QString(), QStringLiteral("\"controls\" must be a list"));

    QSet<QString> seen;
    QSet<QString> singles;
    QSet<QString> groups;
    int position = 0;
    for (const QJsonValue &value : controls.toArray()) {
        ControlDescription control = parseControl(value, position++);
        const QString id = describe(control);
        if (seen.contains(id))
            fail(id, QStringLiteral("appears twice"));
        seen.insert(id);
        // A name is either a single control or a group, never both.
        if ((control.isGroupMember() ? singles : groups).contains(control.name))
            fail(id, QStringLiteral("mixes a single control and a group of that name"));
        (control.isGroupMember() ? groups : singles).insert(control.name);
        layout.controls.push_back(std::move(control));
    }
    checkRequiredControls(layout);
    return layout;
}

} // namespace

Result parse(const QByteArray &json)
{
    Result result;
    try {
        result.layout = parseLayout(json);
    } catch (const LayoutError &error) {
        result.error = error.message;
        result.layout = FormLayout();
    }
    return result;
}

Result load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    return parse(file.readAll());
}

const Result &builtIn()
{
    static const Result result = [] {
        WindowResources::ensureRegistered();
        return load(builtInPath());
    }();
    return result;
}

QString builtInPath()
{
    return QStringLiteral(":/hitungrama/form1.layout.json");
}

} // namespace hitungrama::LayoutLoader
