// The paste rule end to end: a text pasted by Ctrl+V through the replay harness, and the window's report.
// The text rule alone is PastedText's; how a number joins the calculation is PastedNumber's.
#include "replayscript.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hitungrama::test {
namespace {

struct PasteCase {
    const char *name;
    std::string script; // its last line pastes
    const char *shown; // display and currentValue; nullptr: refused, nothing changes
};

const std::string kLongest = "paste " + std::string(999, '0') + "7";

const std::vector<PasteCase> kCases = {
    {"underflow", "paste 1e-400", "0"}, {"thousand_characters", kLongest, "7"},
    {"more_than_thousand_characters", "click 5\n" + kLongest + "1", nullptr},
    {"nul", "click 5\npaste 12\\0 3", nullptr}, {"bad_utf8", "click 5\npaste \\xff\\xfe12", nullptr},
    {"replacement_character", "click 5\npaste \\xef\\xbf\\xbd12", nullptr},
    {"space_grouping", "click 5\npaste 1 000", nullptr},
    {"comma_grouping_with_point", "click 5\npaste 1,000.5", nullptr}, {"nan", "click 5\npaste nan", nullptr},
    {"inf", "click 5\npaste inf", nullptr}, {"overflow", "click 2 +\npaste 1e400", nullptr},
};

TEST(PasteScript, enters_the_number_or_beeps_and_changes_nothing)
{
    for (const PasteCase &c : kCases) {
        SCOPED_TRACE(c.name);
        ReplaySession session;
        const std::vector<QJsonObject> results = session.run(QString::fromStdString(c.script));
        ASSERT_GE(results.size(), 1u);
        QJsonObject last = results.back();
        const auto text = [&last] { return QJsonDocument(last).toJson(QJsonDocument::Compact).toStdString(); };
        EXPECT_EQ(last.value(QStringLiteral("error")), QJsonValue(QJsonValue::Undefined)) << text();
        if (c.shown != nullptr) {
            EXPECT_EQ(last.value(QStringLiteral("display")), QString::fromLatin1(c.shown)) << text();
            EXPECT_EQ(last.value(QStringLiteral("currentValue")), QString::fromLatin1(c.shown)) << text();
            EXPECT_EQ(last.value(QStringLiteral("beeps")), 0) << text();
            continue;
        }
        EXPECT_EQ(last.value(QStringLiteral("beeps")), 1) << text();
        // Everything but the action and the beep is as the step before left it.
        QJsonObject before =
            results.size() > 1 ? results[results.size() - 2] : session.run(QStringLiteral("state")).back();
        for (QJsonObject *state : {&before, &last}) {
            state->remove(QStringLiteral("action"));
            state->remove(QStringLiteral("beeps"));
        }
        EXPECT_EQ(last, before) << text();
    }
}

} // namespace
} // namespace hitungrama::test
