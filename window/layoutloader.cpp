#include "window/layoutloader.h"

#include "window/twips.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>
#include <limits>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initWindowResources()
{
    Q_INIT_RESOURCE(hitungrama);
}

namespace hitungrama {

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
    return control.isGroupMember()
        ? QStringLiteral("%1(%2)").arg(control.name).arg(control.index)
        : control.name;
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

FontDescription toFont(const QJsonValue &value, const QString &context)
{
    if (!value.isObject())
        fail(context, QStringLiteral("\"font\" must be an object"));
    const QJsonObject object = value.toObject();
    const QString fontContext = context + QStringLiteral(" font");
    FontDescription font;
    font.name = toString(required(object, "name", fontContext), "name", fontContext);
    if (font.name.isEmpty())
        fail(fontContext, QStringLiteral("\"name\" is empty"));
    const QJsonValue size = required(object, "size", fontContext);
    font.size = size.toDouble(-1);
    if (!size.isDouble() || !(font.size >= 1 && font.size <= 1000))
        fail(fontContext, QStringLiteral("\"size\" must be a number of points from 1 to 1000"));
    const auto flag = [&](const char *key) {
        const QJsonValue v = object.value(QLatin1String(key));
        return v.isUndefined() ? false : toBool(v, key, fontContext);
    };
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
            fail(fontContext, QStringLiteral("unknown key \"%1\"").arg(it.key()));
    }
    return font;
}

FormDescription parseForm(const QJsonValue &value)
{
    if (!value.isObject())
        fail(QString(), QStringLiteral("\"form\" must be an object"));
    const QJsonObject object = value.toObject();
    const QString context = QStringLiteral("form");
    FormDescription form;
    form.name = toString(required(object, "name", context), "name", context);
    form.caption = toString(required(object, "caption", context), "caption", context);
    form.clientWidth = toTwips(required(object, "clientWidth", context), "clientWidth", context, 15);
    form.clientHeight = toTwips(required(object, "clientHeight", context), "clientHeight", context, 15);
    form.borderWidth = toTwips(required(object, "borderWidth", context), "borderWidth", context, 0);
    form.narrowOuterWidth =
        toTwips(required(object, "narrowOuterWidth", context), "narrowOuterWidth", context, 15);
    form.wideOuterWidth =
        toTwips(required(object, "wideOuterWidth", context), "wideOuterWidth", context, 15);
    if (form.narrowOuterWidth != form.clientWidth + form.borderWidth)
        fail(context, QStringLiteral("\"narrowOuterWidth\" must be the client width plus the border"));
    if (form.wideOuterWidth <= form.borderWidth)
        fail(context, QStringLiteral("\"wideOuterWidth\" leaves no client area"));
    form.font = toFont(required(object, "font", context), context);
    form.foreColor = toColour(required(object, "foreColor", context), "foreColor", context);
    form.backColor = toColour(required(object, "backColor", context), "backColor", context);
    form.picture = toString(required(object, "picture", context), "picture", context);
    const QJsonValue icons = required(object, "icons", context);
    if (!icons.isArray())
        fail(context, QStringLiteral("\"icons\" must be a list of {\"path\", \"size\"}"));
    for (const QJsonValue &icon : icons.toArray()) {
        if (!icon.isObject())
            fail(context, QStringLiteral("\"icons\" must be a list of {\"path\", \"size\"}"));
        const QJsonObject entry = icon.toObject();
        const QString iconContext = context + QStringLiteral(" icon");
        form.icons.push_back({toString(required(entry, "path", iconContext), "path", iconContext),
                              toInt(required(entry, "size", iconContext), "size", iconContext, 1, 1024)});
    }
    return form;
}

ControlType parseType(const QJsonValue &value, const QString &context)
{
    const QString type = toString(value, "type", context);
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

Qt::Alignment parseAlignment(const QJsonValue &value, const QString &context)
{
    const QString text = toString(value, "alignment", context);
    if (text == QLatin1String("left"))
        return Qt::AlignLeft;
    if (text == QLatin1String("right"))
        return Qt::AlignRight;
    if (text == QLatin1String("center"))
        return Qt::AlignHCenter;
    fail(context, QStringLiteral("\"alignment\" must be left, right or center"));
}

ControlDescription parseControl(const QJsonValue &value, int position)
{
    if (!value.isObject())
        fail(QStringLiteral("control #%1").arg(position), QStringLiteral("must be an object"));
    const QJsonObject object = value.toObject();
    QString context = QStringLiteral("control #%1").arg(position);
    ControlDescription control;
    control.name = toString(required(object, "name", context), "name", context);
    if (control.name.isEmpty())
        fail(context, QStringLiteral("\"name\" is empty"));
    if (object.contains(QLatin1String("index")))
        control.index = toInt(object.value(QLatin1String("index")), "index", context, 0, 32767);
    context = describe(control);
    control.type = parseType(required(object, "type", context), context);

    if (control.type == ControlType::Line) {
        control.line = QLine(toTwips(required(object, "x1", context), "x1", context, 0),
                             toTwips(required(object, "y1", context), "y1", context, 0),
                             toTwips(required(object, "x2", context), "x2", context, 0),
                             toTwips(required(object, "y2", context), "y2", context, 0));
        control.foreColor = toColour(required(object, "color", context), "color", context);
        return control;
    }

    control.bounds = QRect(toTwips(required(object, "left", context), "left", context, 0),
                           toTwips(required(object, "top", context), "top", context, 0),
                           toTwips(required(object, "width", context), "width", context, 15),
                           toTwips(required(object, "height", context), "height", context, 15));
    control.tabIndex = toInt(required(object, "tabIndex", context), "tabIndex", context, 0, 32767);
    if (object.contains(QLatin1String("toolTip")))
        control.toolTip = toString(object.value(QLatin1String("toolTip")), "toolTip", context);
    if (object.contains(QLatin1String("visible")))
        control.visible = toBool(object.value(QLatin1String("visible")), "visible", context);
    if (object.contains(QLatin1String("font")))
        control.font = toFont(object.value(QLatin1String("font")), context);
    if (object.contains(QLatin1String("foreColor")))
        control.foreColor = toColour(object.value(QLatin1String("foreColor")), "foreColor", context);
    if (object.contains(QLatin1String("backColor")))
        control.backColor = toColour(object.value(QLatin1String("backColor")), "backColor", context);

    switch (control.type) {
    case ControlType::TextBox:
        control.text = toString(required(object, "text", context), "text", context);
        if (object.contains(QLatin1String("alignment")))
            control.alignment = parseAlignment(object.value(QLatin1String("alignment")), context);
        break;
    case ControlType::CheckBox:
        control.caption = toString(required(object, "caption", context), "caption", context);
        if (object.contains(QLatin1String("value")))
            control.value = toInt(object.value(QLatin1String("value")), "value", context, 0, 2);
        break;
    case ControlType::Label: {
        control.caption = toString(required(object, "caption", context), "caption", context);
        const QString style = object.contains(QLatin1String("backStyle"))
            ? toString(object.value(QLatin1String("backStyle")), "backStyle", context)
            : QStringLiteral("opaque");
        if (style != QLatin1String("opaque") && style != QLatin1String("transparent"))
            fail(context, QStringLiteral("\"backStyle\" must be opaque or transparent"));
        control.opaque = style == QLatin1String("opaque");
        break;
    }
    case ControlType::XPButton:
        parseButtonProperties(required(object, "properties", context), control, context);
        break;
    case ControlType::Line:
        break;
    }
    return control;
}

// The controls the window's panel drives; a layout without them is refused.
void checkRequiredControls(const FormLayout &layout)
{
    const auto require = [&](const QString &name, int index, ControlType type) {
        const ControlDescription *control = layout.find(name, index);
        const QString id = index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
        if (control == nullptr)
            fail(QString(), QStringLiteral("the layout lacks %1").arg(id));
        if (control->type != type)
            fail(id, QStringLiteral("has the wrong control type"));
    };
    require(QStringLiteral("Text1"), -1, ControlType::TextBox);
    require(QStringLiteral("Check1"), -1, ControlType::CheckBox);
    require(QStringLiteral("Label3"), -1, ControlType::Label);
    require(QStringLiteral("Label4"), -1, ControlType::Label);
    require(QStringLiteral("XPButton12"), -1, ControlType::XPButton);
    require(QStringLiteral("XPButton13"), -1, ControlType::XPButton);
    for (int i = 0; i < 10; ++i) {
        require(QStringLiteral("XPButton1"), i, ControlType::XPButton);
        require(QStringLiteral("Label5"), i, ControlType::Label);
        require(QStringLiteral("Label8"), i, ControlType::Label);
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

LayoutLoader::Result LayoutLoader::parse(const QByteArray &json)
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

LayoutLoader::Result LayoutLoader::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    return parse(file.readAll());
}

const LayoutLoader::Result &LayoutLoader::builtIn()
{
    static const Result result = [] {
        ensureResources();
        return load(builtInPath());
    }();
    return result;
}

void LayoutLoader::ensureResources()
{
    // The resources live in this static library; registering them once here
    // keeps the linker from dropping them.
    static const bool registered = [] {
        initWindowResources();
        return true;
    }();
    Q_UNUSED(registered);
}

QString LayoutLoader::builtInPath()
{
    return QStringLiteral(":/hitungrama/form1.layout.json");
}

} // namespace hitungrama
