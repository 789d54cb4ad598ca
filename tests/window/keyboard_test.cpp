// The keyboard: keys, refusals, boxes, copy and paste, key hints and the F1 list.
#include "windowsetup.h"

#include "keyboard/displayclipboard.h"
#include "keyboard/keyboardrouter.h"
#include "keyboard/keyhintoverlay.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>

namespace hitungrama::test {
namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.show()); }

    WindowSetup window;
    QSignalSpy beeps{window.form.get(), &Form1::inputRefused};

    Form1 &form() { return *window.form; }
    QLineEdit &display() { return *form().display(); }
    XPButton *button(const char *name, int index = -1)
    {
        return form().controls().button(QString::fromLatin1(name), index);
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    static void type(const char *keys) { QTest::keyClicks(focused(), QString::fromLatin1(keys)); }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), k, modifiers);
    }
    static QClipboard &clipboard() { return *QGuiApplication::clipboard(); }
    // A key event with its time. A held key repeats as a release and a press
    // at one time, which Qt flags only when it reads both at once.
    static void send(QEvent::Type type, Qt::Key k, Qt::KeyboardModifiers mods, quint64 time, bool flagged = false)
    {
        QKeyEvent event(type, k, mods, k < 0x80 ? QString(QChar(k)) : QString(), flagged);
        event.setTimestamp(time);
        QApplication::sendEvent(focused(), &event);
    }
    // Three repeats of a key pressed at `time`, then its release.
    static void holdOn(Qt::Key k, Qt::KeyboardModifiers mods, quint64 time, bool flagged)
    {
        for (quint64 t = time + 500; t < time + 590; t += 33) {
            send(QEvent::KeyRelease, k, mods, t, flagged);
            send(QEvent::KeyPress, k, mods, t, flagged);
        }
        send(QEvent::KeyRelease, k, mods, time + 900);
    }
};

TEST_F(KeyboardTest, keys_act_from_every_control_and_leave_the_focus_there)
{
    ASSERT_EQ(focused(), form().display());
    for (QWidget *control : form().controls().tabOrder()) {
        if (control->isHidden() || !control->isEnabled())
            continue;
        control->setFocus();
        type("12+3=*2");
        key(Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(display().text(), QStringLiteral("30")) << control->objectName().toStdString();
        EXPECT_EQ(focused(), control);
        key(Qt::Key_Escape);
    }
    EXPECT_EQ(form().binaryModeBox()->checkState(), Qt::Unchecked);
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(KeyboardTest, return_presses_the_focused_button_but_is_equals_elsewhere)
{
    const std::pair<QWidget *, const char *> cases[] = {
        {form().display(), "5"}, {form().binaryModeBox(), "5"}, {button("XPButton1", 5), "35"}};
    for (const auto &[focus, shown] : cases) {
        key(Qt::Key_Escape);
        focus->setFocus();
        type("2+3");
        key(Qt::Key_Return);
        EXPECT_EQ(display().text(), QString::fromLatin1(shown)) << focus->objectName().toStdString();
        EXPECT_EQ(focused(), focus);
    }
}

TEST_F(KeyboardTest, disabled_or_hidden_buttons_refuse_their_keys_with_a_beep)
{
    QTest::mouseClick(form().binaryModeBox(), Qt::LeftButton);
    ASSERT_EQ(form().binaryModeBox()->checkState(), Qt::Checked);
    key(Qt::Key_Escape);
    // Binary mode enables only 0 and 1; "->" is hidden until the first table.
    const std::tuple<const char *, const char *, int> cases[] = {
        {"1", "1", 0}, {"7", "1", 1}, {"0", "10", 1}, {"29>", "10", 4}};
    for (const auto &[keys, shown, beepCount] : cases) {
        type(keys);
        EXPECT_EQ(display().text(), QString::fromLatin1(shown)) << keys;
        EXPECT_EQ(beeps.count(), beepCount) << keys;
    }
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
    EXPECT_EQ(beeps.count(), 0);
    type("9");
    EXPECT_EQ(display().text(), QStringLiteral("79"));
}

// The rule's texts are paste_test's; here, the ways in and the formats.
TEST_F(KeyboardTest, paste_by_key_or_menu_enters_the_clipboards_text_and_refuses_any_other_format)
{
    enum Way { CtrlV, ShiftInsert, Menu };
    const struct {
        const char *name;
        Way way;
        const char *text, *html; // nullptr: none
        bool image;
        const char *shown; // nullptr: refused, nothing changes
    } cases[] = {
        {"plain_text", CtrlV, " 1,50\n7", nullptr, false, "1.5"},
        {"text_beside_html", CtrlV, "6", "<b>5</b>", false, "6"},
        {"html_without_text", CtrlV, nullptr, "<b>5</b>", false, nullptr},
        {"image_without_text", CtrlV, nullptr, nullptr, true, nullptr},
        {"empty_clipboard", CtrlV, nullptr, nullptr, false, nullptr},
        {"shift_insert", ShiftInsert, "12", nullptr, false, "12"}, {"menu", Menu, "0,5", nullptr, false, "0.5"},
        {"menu_refusal", Menu, "1,000", nullptr, false, nullptr},
    };
    std::unique_ptr<QMenu> menu(form().clipboard().createMenu(nullptr));
    ASSERT_EQ(menu->actions().size(), 4); // Salin, Tempel, a separator, Riwayat
    QAction *pasteAction = menu->actions()[1];
    for (const auto &c : cases) {
        key(Qt::Key_Escape);
        type("9");
        button("XPButton1", 4)->setFocus();
        QWidget *focus = focused();
        // A paste turns the display yellow as any display change does.
        QPalette palette = display().palette();
        palette.setColor(QPalette::Base, Qt::white);
        display().setPalette(palette);
        beeps.clear();
        clipboard().clear();
        if (c.text != nullptr || c.html != nullptr || c.image) {
            auto *data = new QMimeData;
            if (c.html != nullptr)
                data->setHtml(QString::fromLatin1(c.html));
            if (c.text != nullptr)
                data->setText(QString::fromLatin1(c.text));
            if (c.image)
                data->setImageData(QImage(2, 2, QImage::Format_RGB32));
            clipboard().setMimeData(data);
        }
        if (c.way == Menu)
            pasteAction->trigger();
        else if (c.way == CtrlV)
            key(Qt::Key_V, Qt::ControlModifier);
        else
            key(Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(display().text(), QString::fromLatin1(c.shown != nullptr ? c.shown : "9")) << c.name;
        EXPECT_EQ(beeps.count(), c.shown != nullptr ? 0 : 1) << c.name;
        EXPECT_EQ(focused(), focus) << c.name;
        const QColor base = display().palette().color(QPalette::Base);
        EXPECT_EQ(base, c.shown != nullptr ? QColor(255, 255, 0) : QColor(Qt::white)) << c.name;
    }
}

TEST_F(KeyboardTest, copy_takes_the_selection_or_else_the_whole_text)
{
    type("12345");
    display().setSelection(1, 3);
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard().text(), QStringLiteral("234"));
    display().deselect();
    std::unique_ptr<QMenu> menu(form().clipboard().createMenu(nullptr));
    menu->actions()[0]->trigger();
    EXPECT_EQ(clipboard().text(), QStringLiteral("12345"));
    EXPECT_EQ(display().text(), QStringLiteral("12345"));
}

TEST_F(KeyboardTest, every_button_has_a_key_and_no_key_clicks_two_buttons)
{
    const KeyMap &map = form().keyboard().keyMap();
    std::set<QString> keys;
    for (const KeyMap::Binding &binding : map.bindings()) {
        for (const QString &k : binding.keys)
            EXPECT_TRUE(keys.insert(k.toLower()).second) << "bound twice: " << k.toStdString();
    }
    for (XPButton *b : form().controls().buttons())
        EXPECT_NE(map.find(form().controls().find(b)->id), nullptr) << b->caption().toStdString();
}

TEST_F(KeyboardTest, f1_lists_the_keys_in_an_information_box)
{
    window.boxes.expect();
    key(Qt::Key_F1);
    ASSERT_EQ(window.boxes.records().size(), 1u);
    const MessageBoxRequest &box = window.boxes.records()[0].request;
    EXPECT_EQ(box.icon, MessageIcon::Information);
    for (const char *line : {"= atau Enter atau Enter keypad: = (Enter pada tombol yang terfokus",
                             "Ctrl+H: jendela Riwayat"})
        EXPECT_TRUE(box.text.contains(QString::fromUtf8(line))) << line;
    // Enter is told once, on the line of "=", as the README's table does.
    EXPECT_EQ(box.text.split(QLatin1Char('\n')).filter(QStringLiteral("Enter")).size(), 1)
        << box.text.toStdString();
}

// A held Ctrl+V is desktop_silent_clipboard_xvfb's: it asks the clipboard once.
TEST_F(KeyboardTest, held_keys_repeat_text_entry_but_act_once_for_commands)
{
    // The key, the button it clicks and whether it repeats.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *, int, bool> cases[] = {
        {Qt::Key_5, Qt::NoModifier, "XPButton1", 5, true}, {Qt::Key_Backspace, Qt::NoModifier, "XPButton6", -1, true},
        {Qt::Key_Plus, Qt::ShiftModifier, "XPButton2", 0, false}, {Qt::Key_S, Qt::NoModifier, "XPButton9", 0, false}};
    quint64 time = 1000;
    for (const auto &[k, mods, name, index, repeats] : cases) {
        for (const bool flagged : {true, false}) {
            key(Qt::Key_Escape);
            type("2");
            QSignalSpy clicks(button(name, index), &XPButton::Click);
            send(QEvent::KeyPress, k, mods, time += 1000);
            ASSERT_EQ(clicks.count(), 1) << k;
            holdOn(k, mods, time, flagged);
            EXPECT_EQ(clicks.count(), repeats ? 4 : 1) << k << (flagged ? " flagged" : " unflagged");
        }
    }
}

// A digit held on a full number, or on one that fills up while it is held,
// beeps once; its repeats are refused quietly.
TEST_F(KeyboardTest, held_key_beeps_once_for_its_refusal)
{
    quint64 time = 1000;
    for (const char *start : {"123456789012345", "12345678901234"}) {
        for (const bool flagged : {true, false}) {
            key(Qt::Key_Escape);
            type(start);
            beeps.clear();
            send(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, time += 1000);
            holdOn(Qt::Key_7, Qt::NoModifier, time, flagged);
            EXPECT_EQ(display().text(), (QString::fromLatin1(start) + u'7').left(15)) << start;
            EXPECT_EQ(beeps.count(), 1) << start << (flagged ? " flagged" : " unflagged");
        }
    }
}

TEST_F(KeyboardTest, dead_and_input_method_keys_write_nothing_and_dead_circumflex_is_x_to_the_y)
{
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(&display(), &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("^"));
    QApplication::sendEvent(&display(), &commit);
    EXPECT_EQ(display().text(), QStringLiteral("0"));
    // '^' the dead circumflex, '`' the dead grave; the focus on the display or "1".
    const std::tuple<bool, const char *, const char *> cases[] = {
        {false, "2^ 3=", "8"}, {true, "2^ 3=", "8"}, {true, "2^3= ", "1"}, {true, "2` ", "21"}};
    for (const auto &[onButton, keys, shown] : cases) {
        key(Qt::Key_Escape);
        onButton ? button("XPButton1", 1)->setFocus() : display().setFocus();
        for (const char *c = keys; *c != '\0'; ++c) {
            const Qt::Key k = *c == '^' ? Qt::Key_Dead_Circumflex : *c == '`' ? Qt::Key_Dead_Grave : Qt::Key(*c);
            send(QEvent::KeyPress, k, Qt::NoModifier, 0);
            send(QEvent::KeyRelease, k, Qt::NoModifier, 0);
        }
        EXPECT_EQ(display().text(), QString::fromLatin1(shown)) << keys << (onButton ? " on a button" : "");
    }
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(KeyboardTest, return_still_held_after_the_box_it_closed_does_not_open_it_again)
{
    button("XPButton7")->setFocus(); // ABOUT
    window.boxes.expect();
    send(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, 1000);
    send(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, 1100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.boxes.records().size() == 1; }));
    // Return went down again to close the box; its repeats reach ABOUT.
    for (const bool flagged : {true, false}) {
        holdOn(Qt::Key_Return, Qt::NoModifier, flagged ? 3000 : 4000, flagged);
        QTest::qWait(60);
        EXPECT_EQ(window.boxes.records().size(), 1u) << (flagged ? "flagged" : "unflagged");
    }
}

// The hints go at Ctrl's release wherever it lands, in a menu or in another window.
TEST_F(KeyboardTest, holding_ctrl_shows_the_hints_over_unchanged_buttons_until_its_release)
{
    KeyHintOverlay *hints = form().keyboard().hints();
    const auto ctrlDown = [&](bool untilShown) {
        QTest::keyPress(focused(), Qt::Key_Control, Qt::ControlModifier);
        return !untilShown || QTest::qWaitFor([&] { return hints->isVisible(); }, 2000);
    };
    const QImage before = form().grab().toImage();
    ASSERT_TRUE(ctrlDown(false));
    EXPECT_FALSE(hints->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return hints->isVisible(); }, 2000));
    // Each label on its own button, none hiding another.
    std::vector<QRect> labels;
    for (XPButton *b : form().controls().buttons()) {
        if (b->isHidden())
            continue;
        const QRect label = hints->labelRect(b);
        EXPECT_TRUE(label.intersects(b->geometry())) << b->caption().toStdString();
        // The hover test still finds the button under the labels.
        EXPECT_EQ(QApplication::widgetAt(b->mapToGlobal(QPoint(3, 3))), b) << b->caption().toStdString();
        for (const QRect &other : labels)
            EXPECT_FALSE(label.intersects(other)) << b->caption().toStdString();
        labels.push_back(label);
    }
    EXPECT_NE(form().grab().toImage(), before);
    QTest::keyRelease(focused(), Qt::Key_Control);
    EXPECT_FALSE(hints->isVisible());
    EXPECT_EQ(form().grab().toImage(), before);

    for (const bool shownFirst : {true, false}) {
        ASSERT_TRUE(ctrlDown(shownFirst));
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), display().mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&display(), &rightClick);
        QWidget *menu = QApplication::activePopupWidget();
        ASSERT_NE(menu, nullptr);
        QTest::keyRelease(menu, Qt::Key_Control);
        QTest::qWait(KeyboardRouter::kHintDelayMs + 100);
        QTest::keyClick(menu, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
        EXPECT_FALSE(hints->isVisible()) << "shown before the menu: " << shownFirst;
    }
    ASSERT_TRUE(ctrlDown(true));
    QWidget elsewhere;
    QTest::keyRelease(&elsewhere, Qt::Key_Control);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hints->isVisible(); }, 1000));
}

} // namespace
} // namespace hitungrama::test
