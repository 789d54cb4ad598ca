#include "harness/statereport.h"

#include "layout/controlnames.h"
#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "form/form1.h"
#include "tapeview/tapewindow.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace hitungrama {

namespace {

// Writes one JSON object with its keys in the order they are added
// (QJsonObject would sort them).
class OrderedObject {
public:
    void add(const char *key, const QString &text) { raw(key, quoted(text)); }
    void add(const char *key, bool value) { raw(key, value ? QStringLiteral("true") : QStringLiteral("false")); }
    void add(const char *key, int value) { raw(key, QString::number(value)); }
    void raw(const char *key, const QString &json)
    {
        m_text += m_text.isEmpty() ? QStringLiteral("{") : QStringLiteral(",");
        m_text += quoted(QString::fromLatin1(key)) + QLatin1Char(':') + json;
    }
    void rawKey(const QString &key, const QString &json)
    {
        m_text += m_text.isEmpty() ? QStringLiteral("{") : QStringLiteral(",");
        m_text += quoted(key) + QLatin1Char(':') + json;
    }
    QString finish() const { return (m_text.isEmpty() ? QStringLiteral("{") : m_text) + QLatin1Char('}'); }

    static QString quoted(const QString &text)
    {
        // A one-element array is the shortest way to let Qt escape a string.
        const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(json.mid(1, json.size() - 2));
    }

private:
    QString m_text;
};

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QStringLiteral("information");
    case MessageIcon::Exclamation:
        return QStringLiteral("exclamation");
    case MessageIcon::None:
        break;
    }
    return QStringLiteral("none");
}

QString answerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Yes:
        return QStringLiteral("yes");
    case MessageAnswer::No:
        return QStringLiteral("no");
    case MessageAnswer::Ok:
        break;
    }
    return QStringLiteral("ok");
}

QString colourOf(const QWidget *widget, QPalette::ColorRole role)
{
    return widget != nullptr ? widget->palette().color(role).name(QColor::HexRgb) : QString();
}

// The tape window as the user sees it: its search, how many lines the list
// holds, the newest three of them (oldest first) and how many are selected.
QString tapeWindowReport(const TapeWindow &window)
{
    OrderedObject out;
    out.add("shown", window.isVisible());
    out.add("search", window.searchField()->text());
    const TapeModel *model = window.model();
    const int rows = model != nullptr ? model->rowCount() : 0;
    out.add("rows", rows);
    QStringList lines;
    for (int row = std::max(0, rows - 3); row < rows; ++row)
        lines << OrderedObject::quoted(model->line(row).text());
    out.raw("lines", QLatin1Char('[') + lines.join(QLatin1Char(',')) + QLatin1Char(']'));
    out.add("selected", int(window.selectedLines().size()));
    return out.finish();
}

QString labelText(const Form1 &form, const QString &name, int index = -1)
{
    const QLabel *label = form.controls().label(name, index);
    return label != nullptr ? label->text() : QString();
}

// The committed tape, once every write queued so far has settled.
QString tapeJson(TapeStore &tape)
{
    tape.waitForWrites(StateReport::kTapeSettleMs);
    QStringList last;
    for (const TapeLine &line : tape.lastLines(StateReport::kTapeLastLines))
        last << OrderedObject::quoted(line.text());
    OrderedObject out;
    out.add("lines", tape.lineCount());
    out.raw("last", QLatin1Char('[') + last.join(QLatin1Char(',')) + QLatin1Char(']'));
    return out.finish();
}

} // namespace

QString StateReport::formatNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 17);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString StateReport::focusName(const Form1 &form)
{
    QWidget *focus = QApplication::focusWidget();
    if (focus == nullptr || focus->window() != &form)
        focus = form.focusWidget();
    const ControlRegistry::Entry *entry = form.controls().find(focus);
    return entry != nullptr ? entry->id.toString() : QString();
}

QString StateReport::build(const Form1 &form, const QString &action, const Extras &extras)
{
    const Engine &engine = form.engine();
    const ControlRegistry &controls = form.controls();
    const XPButton *toggle = form.widthToggleButton();

    OrderedObject out;
    out.add("action", action);
    out.add("display", form.display() != nullptr ? form.display()->text() : QString());
    out.add("currentValue", formatNumber(engine.currentValue()));
    out.add("totalValue", formatNumber(engine.totalValue()));
    out.add("pendingOperator", formatNumber(engine.pendingOperator()));
    out.add("memoryValue", formatNumber(engine.memoryValue()));
    out.add("startNewNumber", engine.startNewNumber());
    out.add("label3", labelText(form, controlname::kMemoryValue));
    out.add("label3Back", colourOf(controls.label(controlname::kMemoryValue), QPalette::Window));
    out.add("label4Back", colourOf(controls.label(controlname::kMemoryIndicator), QPalette::Window));
    out.add("displayBack", colourOf(form.display(), QPalette::Base));
    out.add("outerWidth", form.outerWidthTwips());
    out.add("toggleVisible", toggle != nullptr && !toggle->isHidden());
    out.add("toggleCaption", toggle != nullptr ? toggle->caption() : QString());
    out.add("binaryMode",
            form.isBinaryMode());

    OrderedObject enabled;
    for (const XPButton *button : controls.buttons())
        enabled.rawKey(button->caption(), button->isButtonEnabled() ? QStringLiteral("true")
                                                                    : QStringLiteral("false"));
    out.raw("enabled", enabled.finish());

    QStringList rows;
    for (int i = 0; i < 10; ++i) {
        rows << QStringLiteral("[%1,%2]")
                    .arg(OrderedObject::quoted(labelText(form, controlname::kTableOperands, i)),
                         OrderedObject::quoted(labelText(form, controlname::kTableProducts, i)));
    }
    out.raw("table", QLatin1Char('[') + rows.join(QLatin1Char(',')) + QLatin1Char(']'));

    QStringList boxes;
    for (const RecordingMessageBoxService::Record &record : extras.boxes) {
        OrderedObject box;
        box.add("title", record.request.title);
        box.add("text", record.request.text);
        box.add("icon", iconName(record.request.icon));
        box.add("buttons", record.request.buttons == MessageButtons::YesNo ? QStringLiteral("yesno")
                                                                           : QStringLiteral("ok"));
        box.add("answer", answerName(record.answer));
        boxes << box.finish();
    }
    out.raw("boxes", QLatin1Char('[') + boxes.join(QLatin1Char(',')) + QLatin1Char(']'));
    out.add("beeps", extras.beeps);
    out.add("focus", focusName(form));
    out.add("exited", extras.exited);
    if (const TapeWindow *tape = form.tapeWindow())
        out.raw("tapeWindow", tapeWindowReport(*tape));
    if (!extras.error.isEmpty())
        out.add("error", extras.error);
    out.raw("tape", tapeJson(*form.tape()));
    return out.finish();
}

} // namespace hitungrama
