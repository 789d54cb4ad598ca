// The paste rule end to end: a text on the clipboard, Ctrl+V through the
// replay harness, and the state the window reports.
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
    const char *display; // nullptr: refused, nothing changes
    const char *currentValue;
};

void PrintTo(const PasteCase &c, std::ostream *out)
{
    *out << c.name;
}

const std::string kLongest = "paste " + std::string(999, '0') + "7";

const std::vector<PasteCase> kCases = {
    {"number_replaces_the_entry", "click 1 2\npaste 77", "77", "77"},
    {"display_form", "paste 1e5", "100000", "100000"},
    {"trimmed_first_line_with_comma", "paste \\t 1,50 \\r\\n2", "1.5", "1.5"},
    {"negative_zero", "click 4\npaste -0", "0", "0"},
    {"underflow", "paste 1e-400", "0", "0"},
    {"thousand_characters", kLongest, "7", "7"},
    {"plus_right_operand", "click 2 +\npaste 10\nclick =", "12", "12"},
    {"minus_right_operand", "click 2 -\npaste 10\nclick =", "-8", "-8"},
    {"times_right_operand", "click 2 *\npaste 10\nclick =", "20", "20"},
    {"divide_right_operand", "click 3 /\npaste 1,5\nclick =", "2", "2"},
    {"power_right_operand", "click 2 x^y\npaste 10\nclick =", "1024", "1024"},
    {"modulo_right_operand", "click 2 mod\npaste 10\nclick =", "2", "2"},
    {"square_of_paste", "click 5\npaste 77\nclick x^2", "5929", "5929"},
    {"binary_digits", "click Check1\npaste 0101", "101", "101"},
    {"binary_refuses_other_digits", "click Check1 1\npaste 12", nullptr, nullptr},
    {"more_than_thousand_characters", "click 5\n" + kLongest + "1", nullptr, nullptr},
    {"empty_text", "click 5\npaste ", nullptr, nullptr},
    {"letters", "click 5\npaste 4x", nullptr, nullptr},
    {"nul", "click 5\npaste 12\\0 3", nullptr, nullptr},
    {"bad_utf8", "click 5\npaste \\xff\\xfe12", nullptr, nullptr},
    {"replacement_character", "click 5\npaste \\xef\\xbf\\xbd12", nullptr, nullptr},
    {"space_grouping", "click 5\npaste 1 000", nullptr, nullptr},
    {"comma_grouping_with_point", "click 5\npaste 1,000.5", nullptr, nullptr},
    {"comma_before_three_digits", "click 5\npaste 0,125", nullptr, nullptr},
    {"nan", "click 5\npaste nan", nullptr, nullptr},
    {"inf", "click 5\npaste inf", nullptr, nullptr},
    {"overflow", "click 2 +\npaste 1e400", nullptr, nullptr},
};

class PasteScript : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteScript, enters_the_number_or_beeps_and_changes_nothing)
{
    const PasteCase &c = GetParam();
    ReplaySession session;
    const std::vector<QJsonObject> results = session.run(QString::fromStdString(c.script));
    ASSERT_GE(results.size(), 1u);
    QJsonObject last = results.back();
    const auto text = [&last] { return QJsonDocument(last).toJson(QJsonDocument::Compact).toStdString(); };
    EXPECT_EQ(last.value(QStringLiteral("error")), QJsonValue(QJsonValue::Undefined)) << text();
    if (c.display != nullptr) {
        EXPECT_EQ(last.value(QStringLiteral("display")), QString::fromLatin1(c.display)) << text();
        EXPECT_EQ(last.value(QStringLiteral("currentValue")), QString::fromLatin1(c.currentValue)) << text();
        EXPECT_EQ(last.value(QStringLiteral("beeps")), 0) << text();
        return;
    }
    EXPECT_EQ(last.value(QStringLiteral("beeps")), 1) << text();
    // Everything but the action and the beep is as the step before left it.
    QJsonObject before = results.size() > 1 ? results[results.size() - 2]
                                            : session.run(QStringLiteral("state")).back();
    for (QJsonObject *state : {&before, &last}) {
        state->remove(QStringLiteral("action"));
        state->remove(QStringLiteral("beeps"));
    }
    EXPECT_EQ(last, before) << text();
}

INSTANTIATE_TEST_SUITE_P(Texts, PasteScript, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<PasteCase> &info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace hitungrama::test
