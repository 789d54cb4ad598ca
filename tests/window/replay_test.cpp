// Scripts run by the replay harness on a shown window through real input events, checked on its JSON.
#include "replayscript.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <vector>

namespace hitungrama::test {
namespace {

struct Expect {
    const char *path;
    QJsonValue value;
};

struct ScriptCase {
    const char *name;
    const char *script;
    std::vector<Expect> last; // checked on the last result
};

QJsonObject box(const char *title, const char *text, const char *icon, const char *buttons, const char *answer)
{
    return {{"title", title}, {"text", text}, {"icon", icon}, {"buttons", buttons}, {"answer", answer}};
}

const QJsonValue kAbsent(QJsonValue::Undefined);

const std::vector<ScriptCase> kScripts = {
    {"numbers_are_reported_with_17_digits", "click 0 . 1 + 0 . 2 =",
     {{"display", "0.3"}, {"currentValue", "0.30000000000000004"}}},
    {"back_space_and_clear_entry", "click 1 2 3 Back-Space\nclick 4 CE", {{"display", ""}, {"currentValue", "0"}}},
    {"memory_store_turns_labels_green", "click 5 M+",
     {{"label3", "5"}, {"label3Back", "#00ff00"}, {"label4Back", "#00ff00"}, {"memoryValue", "5"},
      {"boxes", QJsonArray()}}},
    {"memory_replacement_asks_and_no_keeps_it", "click 5 M+ 7 M+",
     {{"memoryValue", "5"},
      {"boxes|0", box("Hitungrama", "Apakah Anda akan mengganti memory !", "none", "yesno", "no")}}},
    {"table_widens_and_fills_the_rows", "click 7 Tbl",
     {{"outerWidth", 8100}, {"toggleVisible", true}, {"toggleCaption", "->"},
      {"table|0", QJsonArray{"7", "7"}}, {"table|9", QJsonArray{"7", "70"}}, {"display", "7"}}},
    {"toggle_narrows_then_widens", "click 7 Tbl ->", {{"outerWidth", 4650}, {"toggleCaption", "->"}}},
    {"toggle_twice_shows_the_back_arrow", "click 7 Tbl -> ->",
     {{"outerWidth", 8100}, {"toggleCaption", "<-"}, {"enabled|<-", true}}},
    {"hidden_toggle_cannot_be_clicked", "click XPButton12", {{"outerWidth", 4650}, {"toggleVisible", false}}},
    {"table_cells_beyond_the_narrow_window_cannot_be_clicked", "click Label5(0)",
     {{"outerWidth", 4650}, {"error", kAbsent}}},
    {"about_box_changes_nothing", "click 4 ABOUT",
     {{"display", "4"}, {"currentValue", "4"},
      {"boxes|0", box("Info",
                      "Hitungrama 1.0\nKalkulator ilmiah oleh Quodrel Zodir\nhttps://hitungrama.example.org",
                      "information", "ok", "ok")}}},
    {"off_answered_no_keeps_the_pending_addition", "click 5 + OFF",
     {{"display", "0"}, {"totalValue", "0"}, {"pendingOperator", "0"}, {"exited", false},
      {"boxes|0", box("Pertanyaan", "Anda yakin akan menutup hitungrama ", "none", "yesno", "no")}}},
    {"an_answer_waits_for_the_next_question", "answer yes\nclick ABOUT\nclick 5 M+ 6 M+", {{"memoryValue", "6"}}},
    {"tab_then_space_clicks_the_first_digit", "key Tab\nkey Tab\nkey Space",
     {{"focus", "XPButton1(1)"}, {"display", "1"}}},
    {"shift_tab_moves_back", "key Shift+Tab", {{"focus", "Check1"}}},
    {"space_toggles_the_check_box", "key Shift+Tab\nkey Space", {{"binaryMode", true}, {"enabled|Desimal", true}}},
    {"release_without_a_held_button_clicks_nothing", "press 8\npress 9\nrelease 9\nrelease 8", {{"display", "9"}}},
    // Each report waits for the tape's queued writes: an "=" line is in the report of that very click.
    {"tape_shows_the_committed_lines_oldest_first", "click 2 + 3 =\nclick 4 x^2\nclick ON\ntype 6*7=",
     {{"tape|last", QJsonArray{"2 + 3 = 5", "4^2 = 16", "6 * 7 = 42"}}}},
    // Tape lines are counted from the newest shown, 1 at the bottom.
    {"tape_use_puts_a_line_of_the_tape_into_the_display", "type 7*6=\ntype 2+3=\nclick ON\ntape open\ntape use 2",
     {{"display", "42"}, {"tapeWindow|shown", true}, {"tapeWindow|selected", 1}, {"error", kAbsent}}},
    {"tape_search_and_delete", "type 9-1=\ntape open\ntape search 9 - 1\ntape delete 1",
     {{"tapeWindow|search", "9 - 1"}, {"tapeWindow|rows", 0}, {"error", kAbsent}}},
    {"tape_actions_need_the_window", "tape use 1", {{"error", "the tape window is not open"}, {"tapeWindow", kAbsent}}},
    {"tape_line_beyond_the_list", "tape open\ntape search no such line\ntape use 1",
     {{"error", "no tape line 1: the list shows 0"}}},
    {"tape_line_numbers_start_at_one", "tape open\ntape delete 0",
     {{"error", "tape delete needs a line number from 1"}}},
};

TEST(Replay, scripts_end_in_the_expected_state)
{
    for (const ScriptCase &c : kScripts) {
        SCOPED_TRACE(c.name);
        ReplaySession session;
        const std::vector<QJsonObject> results = session.run(QString::fromUtf8(c.script));
        ASSERT_FALSE(results.empty());
        const QJsonObject &last = results.back();
        for (const Expect &expect : c.last) {
            EXPECT_EQ(ReplaySession::at(last, QString::fromLatin1(expect.path)), expect.value)
                << expect.path << " in " << QJsonDocument(last).toJson(QJsonDocument::Compact).toStdString();
        }
    }
}

TEST(Replay, every_result_reports_its_action_and_every_control)
{
    ReplaySession session;
    const std::vector<QJsonObject> results = session.run(QStringLiteral("state\nclick 1 +"));
    ASSERT_EQ(results.size(), 3u);
    for (const QJsonObject &result : results) {
        EXPECT_EQ(result.value(QStringLiteral("enabled")).toObject().size(), 41);
        EXPECT_EQ(result.value(QStringLiteral("table")).toArray().size(), 10);
    }
    EXPECT_EQ(results[1].value(QStringLiteral("action")), QStringLiteral("click 1 +"));
    EXPECT_EQ(results[2].value(QStringLiteral("action")), QStringLiteral("click 1 +"));
}

TEST(Replay, malformed_actions_and_unknown_controls_are_reported_and_the_script_goes_on)
{
    ReplaySession session;
    const std::vector<QJsonObject> results = session.run(QStringLiteral(
        "click\nanswer maybe\nkey Nokey+Q\nmove 1 2\nshot 7\nshot nothing /tmp/x.png\nclick 4 nothing 2"));
    ASSERT_EQ(results.size(), 9u);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(results[std::size_t(i)].value(QStringLiteral("error")).toString().isEmpty()) << i;
    EXPECT_EQ(results[7].value(QStringLiteral("error")), QStringLiteral("no control \"nothing\""));
    EXPECT_EQ(results[8].value(QStringLiteral("display")), QStringLiteral("42"));
}

} // namespace
} // namespace hitungrama::test
