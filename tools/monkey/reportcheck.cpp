#include "reportcheck.h"

#include "displayrule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>

namespace hitungrama {

namespace {

bool isNumberText(const QString &text)
{
    if (text == QLatin1String("inf") || text == QLatin1String("-inf") || text == QLatin1String("nan"))
        return true;
    static const QRegularExpression number(
        QStringLiteral("^-?\\d+(\\.\\d+)?(e[+-]\\d+)?$"));
    return number.match(text).hasMatch();
}

QString checkBox(const QJsonValue &value)
{
    const QJsonObject box = value.toObject();
    if (!value.isObject() || !box.value(QLatin1String("title")).isString()
        || !box.value(QLatin1String("text")).isString())
        return QStringLiteral("a box without title or text");
    if (box.value(QLatin1String("title")).toString().isEmpty())
        return QStringLiteral("a box without a title");
    static const QStringList icons = {QStringLiteral("none"), QStringLiteral("information"),
                                      QStringLiteral("exclamation"), QStringLiteral("question")};
    if (!icons.contains(box.value(QLatin1String("icon")).toString()))
        return QStringLiteral("a box with an unknown icon");
    const QString buttons = box.value(QLatin1String("buttons")).toString();
    const QString answer = box.value(QLatin1String("answer")).toString();
    const bool fits = buttons == QLatin1String("ok")
        ? answer == QLatin1String("ok")
        : buttons == QLatin1String("yesno")
            && (answer == QLatin1String("yes") || answer == QLatin1String("no"));
    return fits ? QString() : QStringLiteral("a box answered \"%1\" with buttons \"%2\"").arg(answer, buttons);
}

} // namespace

ReportCheck::ReportCheck(int narrowOuterWidth, int wideOuterWidth)
    : m_narrow(narrowOuterWidth)
    , m_wide(wideOuterWidth)
{
}

QString ReportCheck::check(const QString &json, const QString &typed, Facts *facts) const
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return QStringLiteral("not a JSON object: %1").arg(parseError.errorString());
    const QJsonObject report = document.object();

    static const char *const strings[] = {"action", "display", "currentValue", "totalValue",
                                          "pendingOperator", "memoryValue", "label3",
                                          "label3Back", "label4Back", "displayBack",
                                          "toggleCaption", "focus"};
    static const char *const bools[] = {"startNewNumber", "toggleVisible", "binaryMode", "exited"};
    for (const char *key : strings) {
        if (!report.value(QLatin1String(key)).isString())
            return QStringLiteral("\"%1\" is not a string").arg(QLatin1String(key));
    }
    for (const char *key : bools) {
        if (!report.value(QLatin1String(key)).isBool())
            return QStringLiteral("\"%1\" is not true or false").arg(QLatin1String(key));
    }
    if (report.contains(QLatin1String("error")))
        return QStringLiteral("the harness refused the action: %1")
            .arg(report.value(QLatin1String("error")).toString());

    for (const char *key : {"currentValue", "totalValue", "pendingOperator", "memoryValue"}) {
        if (!isNumberText(report.value(QLatin1String(key)).toString()))
            return QStringLiteral("\"%1\" is not a number").arg(QLatin1String(key));
    }
    static const QRegularExpression colour(QStringLiteral("^#[0-9a-f]{6}$"));
    for (const char *key : {"label3Back", "label4Back", "displayBack"}) {
        if (!colour.match(report.value(QLatin1String(key)).toString()).hasMatch())
            return QStringLiteral("\"%1\" is not a colour").arg(QLatin1String(key));
    }

    const QJsonValue width = report.value(QLatin1String("outerWidth"));
    if (!width.isDouble() || (width.toInt() != m_narrow && width.toInt() != m_wide))
        return QStringLiteral("the outer width is %1").arg(width.toVariant().toString());
    if (width.toInt() == m_wide && !report.value(QLatin1String("toggleVisible")).toBool())
        return QStringLiteral("the window is wide but its width toggle is hidden");
    const QString toggle = report.value(QLatin1String("toggleCaption")).toString();
    if (toggle != QLatin1String("->") && toggle != QLatin1String("<-"))
        return QStringLiteral("the width toggle reads \"%1\"").arg(toggle);

    const QJsonValue enabled = report.value(QLatin1String("enabled"));
    if (!enabled.isObject() || enabled.toObject().isEmpty())
        return QStringLiteral("\"enabled\" lists no buttons");
    for (const QJsonValue &value : enabled.toObject()) {
        if (!value.isBool())
            return QStringLiteral("\"enabled\" holds a value that is not true or false");
    }
    const QJsonArray table = report.value(QLatin1String("table")).toArray();
    if (table.size() != 10)
        return QStringLiteral("the table has %1 rows").arg(table.size());
    for (const QJsonValue &row : table) {
        const QJsonArray pair = row.toArray();
        if (pair.size() != 2 || !pair.at(0).isString() || !pair.at(1).isString())
            return QStringLiteral("a table row is not two texts");
    }

    const QJsonValue boxes = report.value(QLatin1String("boxes"));
    if (!boxes.isArray())
        return QStringLiteral("\"boxes\" is not a list");
    for (const QJsonValue &box : boxes.toArray()) {
        const QString problem = checkBox(box);
        if (!problem.isEmpty())
            return problem;
    }
    const QJsonValue beeps = report.value(QLatin1String("beeps"));
    if (!beeps.isDouble() || beeps.toInt(-1) < 0)
        return QStringLiteral("\"beeps\" is not a count");

    const QString display = report.value(QLatin1String("display")).toString();
    if (!DisplayRule::accepts(display, typed))
        return QStringLiteral("the display shows \"%1\", which is neither a number, a message, "
                              "a binary numeral nor what was typed (\"%2\")")
            .arg(display, typed);

    if (facts != nullptr) {
        facts->display = display;
        facts->boxes = int(boxes.toArray().size());
        facts->beeps = beeps.toInt();
        facts->exited = report.value(QLatin1String("exited")).toBool();
    }
    return QString();
}

} // namespace hitungrama
