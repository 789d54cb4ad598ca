#include "reportcheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

namespace hitungrama {
namespace {

// A report as the harness writes it after "click 7" on a fresh window.
QJsonObject soundReport()
{
    QJsonArray table;
    for (int i = 0; i < 10; ++i)
        table.append(QJsonArray{QString(), QString()});
    return {
        {"action", "click 7"}, {"display", "7"}, {"currentValue", "7"},
        {"totalValue", "1e+300"}, {"pendingOperator", "-1"}, {"memoryValue", "-inf"},
        {"startNewNumber", false}, {"label3", ""}, {"label3Back", "#ffffff"},
        {"label4Back", "#00ff00"}, {"displayBack", "#ffff00"}, {"outerWidth", 4650},
        {"toggleVisible", false}, {"toggleCaption", "->"}, {"binaryMode", false},
        {"enabled", QJsonObject{{"7", true}, {".", false}}}, {"table", table},
        {"boxes", QJsonArray{QJsonObject{{"title", "Info"}, {"text", "x"}, {"icon", "information"},
                                         {"buttons", "ok"}, {"answer", "ok"}}}},
        {"beeps", 2}, {"focus", "XPButton1(7)"}, {"exited", false},
    };
}

QString problemWith(const std::function<void(QJsonObject &)> &change, const QString &typed = QString())
{
    QJsonObject report = soundReport();
    change(report);
    const ReportCheck check(4650, 8100);
    return check.check(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact)),
                       typed, nullptr);
}

TEST(ReportCheck, a_sound_report_passes_and_yields_its_counts)
{
    const ReportCheck check(4650, 8100);
    ReportCheck::Facts facts;
    const QString json = QString::fromUtf8(QJsonDocument(soundReport()).toJson(QJsonDocument::Compact));
    EXPECT_EQ(check.check(json, QString(), &facts), QString());
    EXPECT_EQ(facts.display, QStringLiteral("7"));
    EXPECT_EQ(facts.boxes, 1);
    EXPECT_EQ(facts.beeps, 2);
    EXPECT_FALSE(facts.exited);
}

TEST(ReportCheck, faulty_reports_are_named)
{
    const struct {
        const char *what;
        std::function<void(QJsonObject &)> change;
    } faults[] = {
        {"missing key", [](QJsonObject &r) { r.remove("focus"); }},
        {"flag as text", [](QJsonObject &r) { r["exited"] = "false"; }},
        {"harness error", [](QJsonObject &r) { r["error"] = "no control \"Q\""; }},
        {"value not a number", [](QJsonObject &r) { r["totalValue"] = "Infinity"; }},
        {"colour by name", [](QJsonObject &r) { r["displayBack"] = "yellow"; }},
        {"width between the two", [](QJsonObject &r) { r["outerWidth"] = 4665; }},
        {"wide with hidden toggle", [](QJsonObject &r) { r["outerWidth"] = 8100; }},
        {"toggle caption", [](QJsonObject &r) { r["toggleCaption"] = "Tbl"; }},
        {"enabled not a flag", [](QJsonObject &r) { r["enabled"] = QJsonObject{{"7", 1}}; }},
        {"short table", [](QJsonObject &r) {
             QJsonArray table = r["table"].toArray();
             table.removeLast();
             r["table"] = table;
         }},
        {"OK box answered yes", [](QJsonObject &r) {
             r["boxes"] = QJsonArray{QJsonObject{{"title", "Info"}, {"text", "x"}, {"icon", "none"},
                                                 {"buttons", "ok"}, {"answer", "yes"}}};
         }},
        {"box without title", [](QJsonObject &r) {
             r["boxes"] = QJsonArray{QJsonObject{{"title", ""}, {"text", "x"}, {"icon", "none"},
                                                 {"buttons", "yesno"}, {"answer", "no"}}};
         }},
        {"negative beeps", [](QJsonObject &r) { r["beeps"] = -1; }},
        {"partial display", [](QJsonObject &r) { r["display"] = "12E"; }},
    };
    for (const auto &fault : faults)
        EXPECT_FALSE(problemWith(fault.change).isEmpty()) << fault.what;
}

TEST(ReportCheck, what_was_typed_may_stay_in_the_display)
{
    const auto typedText = [](QJsonObject &r) { r["display"] = "12E"; };
    EXPECT_EQ(problemWith(typedText, QStringLiteral("12E")), QString());
    const ReportCheck check(4650, 8100);
    EXPECT_FALSE(check.check(QStringLiteral("{\"display\":"), QString(), nullptr).isEmpty());
    EXPECT_FALSE(check.check(QStringLiteral("[]"), QString(), nullptr).isEmpty());
}

} // namespace
} // namespace hitungrama
