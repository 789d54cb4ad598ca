// The keyboard: keys acting on buttons wherever the focus is, Return on a
// focused button, refusals, boxes, copy and paste of the display, key hints
// and the F1 list.
#include "windowsetup.h"

#include "window/displayclipboard.h"
#include "window/keyboardrouter.h"
#include "window/keyhintoverlay.h"
#include "xpbutton/xpbutton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <set>

namespace hitungrama::test {
namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.show());
        ASSERT_EQ(QApplication::focusWidget(), form().display());
    }

    WindowSetup window;
    QSignalSpy beeps{window.form.get(), &Form1::inputRefused};

    Form1 &form() { return *window.form; }
    QLineEdit &display() { return *form().display(); }
    XPButton *button(const char *name, int index = -1)
    {
        return form().controls().button(QString::fromLatin1(name), index);
    }
    QWidget *focused() { return QApplication::focusWidget(); }
    // Characters as typed on the focused control.
    void type(const char *keys)
    {
        for (const char *c = keys; *c != '\0'; ++c)
            QTest::keyClick(focused(), *c);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), k, modifiers);
    }
    void setClipboard(const QString &text) { QGuiApplication::clipboard()->setText(text); }
    QString clipboard() { return QGuiApplication::clipboard()->text(); }
};

TEST_F(KeyboardTest, a_calculation_typed_on_the_display_keeps_the_focus_there)
{
    type("12+3=");
    EXPECT_EQ(display().text(), QStringLiteral("15"));
    type("*2");
    key(Qt::Key_Return);
    EXPECT_EQ(display().text(), QStringLiteral("30"));
    EXPECT_EQ(focused(), form().display());
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(KeyboardTest, keys_act_from_every_control_that_takes_the_focus)
{
    for (QWidget *control : form().controls().tabOrder()) {
        if (control->isHidden() || !control->isEnabled())
            continue;
        control->setFocus();
        key(Qt::Key_Escape);
        type("4");
        EXPECT_EQ(display().text(), QStringLiteral("4")) << control->objectName().toStdString();
        EXPECT_EQ(focused(), control);
    }
    EXPECT_EQ(form().binaryModeBox()->checkState(), Qt::Unchecked);
}

TEST_F(KeyboardTest, return_presses_the_focused_button_but_is_equals_elsewhere)
{
    struct Case {
        const char *name;
        QWidget *focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *display;
    };
    const Case cases[] = {
        {"return_on_display", form().display(), Qt::Key_Return, Qt::NoModifier, "5"},
        {"return_on_check_box", form().binaryModeBox(), Qt::Key_Return, Qt::NoModifier, "5"},
        {"return_on_button_5", button("XPButton1", 5), Qt::Key_Return, Qt::NoModifier, "35"},
        {"keypad_enter_on_button_5", button("XPButton1", 5), Qt::Key_Enter, Qt::KeypadModifier, "5"},
    };
    for (const Case &c : cases) {
        key(Qt::Key_Escape);
        c.focus->setFocus();
        type("2+3");
        key(c.key, c.modifiers);
        EXPECT_EQ(display().text(), QString::fromLatin1(c.display)) << c.name;
        EXPECT_EQ(focused(), c.focus) << c.name;
    }
}

TEST_F(KeyboardTest, disabled_or_hidden_buttons_refuse_their_keys_with_a_beep)
{
    QTest::mouseClick(form().binaryModeBox(), Qt::LeftButton);
    ASSERT_EQ(form().binaryModeBox()->checkState(), Qt::Checked);
    form().display()->setFocus();
    key(Qt::Key_Escape);
    struct Case {
        const char *keys;
        const char *display;
        int beeps;
    };
    // In binary mode only the digits 0 and 1 are enabled; "->" is hidden
    // until the first table.
    const Case cases[] = {{"1", "1", 0}, {"7", "1", 1}, {"0", "10", 1}, {"29>", "10", 4}};
    for (const Case &c : cases) {
        type(c.keys);
        EXPECT_EQ(display().text(), QString::fromLatin1(c.display)) << c.keys;
        EXPECT_EQ(beeps.count(), c.beeps) << c.keys;
    }
}

TEST_F(KeyboardTest, a_key_shows_the_pressed_face_for_a_moment_from_a_timer)
{
    XPButton *seven = button("XPButton1", 7);
    const QImage resting = seven->image();
    type("7");
    EXPECT_NE(seven->image(), resting);
    EXPECT_TRUE(QTest::qWaitFor([&] { return seven->image() == resting; }, 1000));
    EXPECT_EQ(display().text(), QStringLiteral("7"));
}

TEST_F(KeyboardTest, auto_repeat_repeats_the_click_and_case_does_not_matter)
{
    for (bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"), repeat);
        QApplication::sendEvent(focused(), &press);
    }
    EXPECT_EQ(display().text(), QStringLiteral("555"));
    type("QQ");
    const QString upper = display().text();
    key(Qt::Key_Escape);
    type("555qq");
    EXPECT_EQ(display().text(), upper);
}

TEST_F(KeyboardTest, while_a_box_is_open_keys_reach_nothing_in_the_window)
{
    type("7");
    QString seen;
    window.boxes.whileOpen = [&] {
        type("9+");
        key(Qt::Key_Escape);
        key(Qt::Key_F1);
        seen = display().text();
    };
    window.boxes.expect();
    key(Qt::Key_I, Qt::ControlModifier); // ABOUT
    EXPECT_EQ(seen, QStringLiteral("7"));
    ASSERT_EQ(window.boxes.records().size(), 1u);
    EXPECT_EQ(window.boxes.records()[0].request.title, QStringLiteral("Info"));
    EXPECT_EQ(beeps.count(), 0);
    type("9");
    EXPECT_EQ(display().text(), QStringLiteral("79"));
}

TEST_F(KeyboardTest, paste_replaces_the_display_with_the_first_line_as_typed_text)
{
    const QString longest(DisplayClipboard::kLongestPaste, QLatin1Char('1'));
    struct Case {
        const char *name;
        QString clipboard;
        QString display; // after the paste
        int beeps;
    };
    const Case cases[] = {
        {"plain", QStringLiteral("12abc"), QStringLiteral("12abc"), 0},
        {"multi_line_keeps_the_first", QStringLiteral("42\n17\n"), QStringLiteral("42"), 0},
        {"carriage_return_ends_a_line", QStringLiteral(" 3.5 \r\n9"), QStringLiteral(" 3.5 "), 0},
        {"thousand_characters", longest, longest, 0},
        {"one_more_is_refused", longest + QLatin1Char('1'), QStringLiteral("0"), 1},
        {"empty_first_line_is_refused", QStringLiteral("\n5"), QStringLiteral("0"), 1},
        {"empty_clipboard_is_refused", QString(), QStringLiteral("0"), 1},
    };
    for (const Case &c : cases) {
        key(Qt::Key_Escape);
        beeps.clear();
        QGuiApplication::clipboard()->clear();
        if (!c.clipboard.isNull())
            setClipboard(c.clipboard);
        QSignalSpy typed(&form(), &Form1::displayTyped);
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(display().text(), c.display) << c.name;
        EXPECT_EQ(beeps.count(), c.beeps) << c.name;
        EXPECT_EQ(typed.count(), 1 - c.beeps) << c.name;
    }
    // Unfiltered and yellow, then read by the next step as typed text is.
    QPalette palette = display().palette();
    palette.setColor(QPalette::Base, Qt::white);
    display().setPalette(palette);
    setClipboard(QStringLiteral("12"));
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(display().palette().color(QPalette::Base), QColor(255, 255, 0));
    type("3");
    EXPECT_EQ(display().text(), QStringLiteral("123"));
    EXPECT_EQ(form().engine().currentValue(), 123);
    setClipboard(QStringLiteral("abc"));
    std::unique_ptr<QMenu> menu(form().clipboard().createMenu(nullptr));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Tempel"));
    menu->actions()[1]->trigger();
    beeps.clear();
    type("7");
    EXPECT_EQ(display().text(), QStringLiteral("abc"));
    EXPECT_EQ(beeps.count(), 1);
}

TEST_F(KeyboardTest, copy_takes_the_selection_or_else_the_whole_text)
{
    type("12345");
    std::unique_ptr<QMenu> menu(form().clipboard().createMenu(nullptr));
    ASSERT_EQ(menu->actions()[0]->text(), QStringLiteral("Salin"));
    struct Case {
        const char *name;
        int selectionStart; // -1: no selection
        std::function<void()> copy;
        const char *copied;
    };
    const Case cases[] = {
        {"ctrl_c_whole", -1, [&] { key(Qt::Key_C, Qt::ControlModifier); }, "12345"},
        {"ctrl_insert_selection", 1, [&] { key(Qt::Key_Insert, Qt::ControlModifier); }, "234"},
        {"menu_whole", -1, [&] { menu->actions()[0]->trigger(); }, "12345"},
        {"menu_selection", 1, [&] { menu->actions()[0]->trigger(); }, "234"},
    };
    for (const Case &c : cases) {
        setClipboard(QStringLiteral("old"));
        display().deselect();
        if (c.selectionStart >= 0)
            display().setSelection(c.selectionStart, 3);
        c.copy();
        EXPECT_EQ(clipboard(), QString::fromLatin1(c.copied)) << c.name;
        EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasHtml()) << c.name;
    }
    EXPECT_EQ(display().text(), QStringLiteral("12345"));
}

TEST_F(KeyboardTest, every_button_has_one_key_of_its_own_announced_to_screen_readers)
{
    const KeyMap &map = form().keyboard().keyMap();
    std::set<QString> keys;
    for (const KeyMap::Binding &binding : map.bindings()) {
        for (const QString &k : binding.keys)
            EXPECT_TRUE(keys.insert(k.toLower()).second) << "bound twice: " << k.toStdString();
    }
    const std::vector<XPButton *> buttons = form().controls().buttons();
    ASSERT_EQ(buttons.size(), 41u);
    for (XPButton *b : buttons) {
        const ControlId id = form().controls().find(b)->id;
        ASSERT_NE(map.find(id), nullptr) << id.toString().toStdString();
        QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(b)->actionInterface();
        const QStringList bindings =
            actions->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        EXPECT_FALSE(bindings.isEmpty()) << id.toString().toStdString();
        EXPECT_EQ(bindings.value(0), b->keyHint()) << id.toString().toStdString();
    }
    EXPECT_EQ(button("XPButton8", 0)->keyHint(), QStringLiteral("Ctrl+M"));
    EXPECT_EQ(button("XPButton9", 0)->keyHint(), QStringLiteral("S"));
}

TEST_F(KeyboardTest, holding_ctrl_shows_the_hints_over_unchanged_buttons_until_release)
{
    KeyHintOverlay *hints = form().keyboard().hints();
    const QImage before = form().grab().toImage();
    QTest::keyPress(focused(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_FALSE(hints->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints->isVisible(); }, 2000));
    // Each label on its own button, none hiding another.
    std::vector<QRect> labels;
    for (XPButton *b : form().controls().buttons()) {
        if (b->isHidden())
            continue;
        const QRect label = hints->labelRect(b);
        EXPECT_TRUE(label.intersects(b->geometry())) << b->caption().toStdString();
        for (const QRect &other : labels)
            EXPECT_FALSE(label.intersects(other)) << b->caption().toStdString();
        labels.push_back(label);
    }
    EXPECT_NE(form().grab().toImage(), before);
    QTest::keyRelease(focused(), Qt::Key_Control);
    EXPECT_FALSE(hints->isVisible());
    EXPECT_EQ(form().grab().toImage(), before);
}

TEST_F(KeyboardTest, f1_lists_the_keys_in_an_information_box)
{
    window.boxes.expect();
    key(Qt::Key_F1);
    ASSERT_EQ(window.boxes.records().size(), 1u);
    const MessageBoxRequest &box = window.boxes.records()[0].request;
    EXPECT_EQ(box.title, QStringLiteral("Tombol keyboard"));
    EXPECT_EQ(box.icon, MessageIcon::Information);
    for (const char *line : {"Ctrl+M: M+", "Esc: ON", "= atau Enter atau Enter keypad: =",
                             "L atau N: log", "Backspace: Back-Space", "Delete: CE"}) {
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(line))) << line;
    }
    EXPECT_EQ(display().text(), QStringLiteral("0"));
}

} // namespace
} // namespace hitungrama::test
