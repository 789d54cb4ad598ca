// Each key leaves the window's state report, focus aside, as a click on its button does.
// Digits, "+", "=", Enter, Backspace, S and Ctrl+I are keyboard_test's; Ctrl+Q is exitflush_test's.
#include "harness/statereport.h"
#include "tape/tapestore.h"
#include "windowsetup.h"

#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

namespace hitungrama::test {
namespace {

struct KeyCase {
    const char *name;
    Qt::Key key;
    const char *text;
    Qt::KeyboardModifiers modifiers;
    const char *button; // caption
    const char *before; // captions clicked first; "bin" ticks binary mode
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr const char *kPending = "7 * 6";

const KeyCase kCases[] = {
    {"digit_0", Qt::Key_0, "0", kNone, "0", kPending}, {"keypad_5", Qt::Key_5, "5", kPad, "5", kPending},
    {"point", Qt::Key_Period, ".", kNone, ".", "4"}, {"comma", Qt::Key_Comma, ",", kNone, ".", "4"},
    {"keypad_decimal", Qt::Key_Period, ".", kPad, ".", "4"}, {"keypad_minus", Qt::Key_Minus, "-", kPad, "-", kPending},
    {"keypad_times", Qt::Key_Asterisk, "*", kPad, "*", "9 +"}, {"slash", Qt::Key_Slash, "/", kNone, "/", kPending},
    {"caret", Qt::Key_AsciiCircum, "^", kShift, "x^y", kPending},
    {"delete", Qt::Key_Delete, "\x7f", kNone, "CE", kPending},
    {"escape", Qt::Key_Escape, "\x1b", kNone, "ON", kPending}, {"percent", Qt::Key_Percent, "%", kShift, "%", kPending},
    {"factorial", Qt::Key_Exclam, "!", kShift, "!", "5"}, {"cosine_upper_case", Qt::Key_C, "C", kShift, "Cos", "2"},
    {"tangent", Qt::Key_T, "t", kNone, "Tan", "2"}, {"square", Qt::Key_Q, "q", kNone, "x^2", kPending},
    {"cube", Qt::Key_K, "k", kNone, "x^3", "3"}, {"root", Qt::Key_R, "r", kNone, "Sqrt", "8 1"},
    {"log_l", Qt::Key_L, "l", kNone, "log", "9"}, {"log_n_upper_case", Qt::Key_N, "N", kShift, "log", "9"},
    {"modulo", Qt::Key_M, "m", kNone, "mod", "1 7"}, {"sign", Qt::Key_F9, "", kNone, "+/-", "4"},
    {"sign_tilde", Qt::Key_AsciiTilde, "~", kShift, "+/-", "4"}, {"table", Qt::Key_G, "g", kNone, "Tbl", "6"},
    {"prime", Qt::Key_P, "p", kNone, "Prm", "7"}, {"memory_add", Qt::Key_M, "\r", kCtrl, "M+", "5"},
    {"memory_add_ctrl_shift", Qt::Key_M, "\r", kCtrl | kShift, "M+", "5"},
    {"memory_subtract", Qt::Key_L, "\x0c", kCtrl, "M-", "5 M+ 2"},
    {"memory_recall", Qt::Key_R, "\x12", kCtrl, "MRC", "5 M+ 2"}, {"to_binary", Qt::Key_B, "b", kNone, "BIN", "1 3"},
    {"to_decimal", Qt::Key_D, "d", kNone, "Desimal", "bin 1 0 1"},
    {"width_toggle", Qt::Key_Greater, ">", kShift, "->", "3 Tbl"},
    {"width_toggle_less", Qt::Key_Less, "<", kShift, "->", "3 Tbl"},
};

XPButton *find(const Form1 &form, const QString &caption)
{
    const std::vector<XPButton *> buttons = form.controls().buttons();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](XPButton *b) { return b->caption() == caption; });
    EXPECT_NE(it, buttons.end()) << "no button " << caption.toStdString();
    return it != buttons.end() ? *it : nullptr;
}

// The state report after the prefix and then `act`, without the focus; of
// the tape, which both windows of a case share, only the lines `act` added.
QJsonObject stateAfter(const KeyCase &c, const std::function<void(Form1 &)> &act)
{
    WindowSetup window;
    window.boxes.expect(4);
    EXPECT_TRUE(window.show());
    QSignalSpy beeps(window.form.get(), &Form1::inputRefused);
    for (const QString &caption : QString::fromLatin1(c.before).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (caption == QLatin1String("bin"))
            QTest::mouseClick(window.form->binaryModeBox(), Qt::LeftButton);
        else
            QTest::mouseClick(find(*window.form, caption), Qt::LeftButton);
    }
    window.form->display()->setFocus();
    window.form->tape()->waitForWrites(StateReport::kTapeSettleMs);
    const int linesBefore = window.form->tape()->lineCount();
    act(*window.form);
    const StateReport::Extras extras{window.boxes.records(), static_cast<int>(beeps.count()), false, {}};
    QJsonObject state = QJsonDocument::fromJson(StateReport::build(*window.form, QString(), extras).toUtf8()).object();
    state.remove(QStringLiteral("focus"));
    const QJsonObject tape = state.take(QStringLiteral("tape")).toObject();
    const QJsonArray last = tape.value(QStringLiteral("last")).toArray();
    const int added = tape.value(QStringLiteral("lines")).toInt() - linesBefore;
    QJsonArray addedLines;
    for (qsizetype i = std::max<qsizetype>(0, last.size() - added); i < last.size(); ++i)
        addedLines.append(last.at(i));
    state.insert(QStringLiteral("tapeAdded"), addedLines);
    return state;
}

TEST(KeyEquivalence, every_key_leaves_the_state_a_click_leaves)
{
    for (const KeyCase &c : kCases) {
        SCOPED_TRACE(c.name);
        const QJsonObject clicked = stateAfter(c, [&](Form1 &form) {
            XPButton *button = find(form, QString::fromLatin1(c.button));
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
        });
        const QJsonObject keyed = stateAfter(c, [&](Form1 &) {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), c.key, QString::fromLatin1(c.text),
                                c.modifiers);
        });
        EXPECT_EQ(keyed, clicked) << "key:     " << QJsonDocument(keyed).toJson().toStdString()
                                  << "\nclick:   " << QJsonDocument(clicked).toJson().toStdString();
        EXPECT_EQ(keyed.value(QStringLiteral("beeps")).toInt(), 0);
    }
}

} // namespace
} // namespace hitungrama::test
