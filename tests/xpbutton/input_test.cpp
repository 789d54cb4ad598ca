// The button's mouse and keyboard input, its clicks from the host's key map, and its screen reader side.
#include "testhost.h"
#include "xpbutton/accesskey.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

namespace {

const QPoint kInside(10, 12);
const QString kDown = QStringLiteral("MouseDown(1,0,10,12)");
const QString kUp = QStringLiteral("MouseUp(1,0,10,12)");

// The looks, told by one pixel each.
QColor at(const XPButton *button, int x, int y) { return QColor(button->image().pixel(x, y)); }
bool hoverRingShown(const XPButton *b) { return at(b, 1, 2) == QColor(254, 223, 154); }
bool focusRingShown(const XPButton *b) { return at(b, 10, 1) == QColor(206, 231, 251); }
bool pressedFaceShown(const XPButton *b) { return at(b, 10, 1) == QColor(209, 204, 192); }
bool timerRunning(const XPButton *b) { return b->findChild<QTimer *>(QStringLiteral("HoverTimer"))->isActive(); }

class Input : public ::testing::Test {
protected:
    TestHost host;
    XPButton *button = host.second();
    EventLog log{button};
};

TEST_F(Input, hover_entry_then_one_more_move_then_silence_until_the_pointer_leaves_or_reaches_a_cut_corner)
{
    TestHost::movePointerTo(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{"MouseOver", "MouseMove(0,0,10,12)"}));
    EXPECT_TRUE(hoverRingShown(button));
    EXPECT_FALSE(timerRunning(button)) << "resting on a button wakes no timer";
    TestHost::movePointerTo(button, QPoint(11, 12));
    EXPECT_EQ(log.take(), QStringList{"MouseMove(0,0,11,12)"});
    TestHost::movePointerTo(button, QPoint(12, 12));
    EXPECT_TRUE(log.take().isEmpty());
    host.movePointerAway();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !log.lines().isEmpty(); }));
    EXPECT_EQ(log.take(), QStringList{"MouseOut"});
    EXPECT_FALSE(hoverRingShown(button) || timerRunning(button));
    // A cut corner counts as outside.
    TestHost::movePointerTo(button, kInside);
    TestHost::movePointerTo(button, QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("MouseOut") == 1; }));
    TestHost::movePointerTo(button, QPoint(button->width() - 1, button->height() - 1));
    QTest::qWait(10);
    EXPECT_EQ(log.lines().last(), QStringLiteral("MouseOut")) << "no hover entry on a corner";
}

TEST_F(Input, left_press_looks_pressed_and_only_a_release_over_the_button_clicks)
{
    TestHost::movePointerTo(button, kInside);
    log.take();
    TestHost::press(button, kInside);
    EXPECT_TRUE(pressedFaceShown(button));
    TestHost::release(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{kDown, kUp, "Click"}));
    EXPECT_FALSE(pressedFaceShown(button));
    EXPECT_TRUE(hoverRingShown(button) && !timerRunning(button)) << "released over it: still hovered";
    TestHost::doubleClick(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{kDown, kUp, "Click", "MouseDown(1,0,0,0)", kUp, "Click"}));
    TestHost::press(button, kInside);
    TestHost::release(button, QPoint(-20, 5));
    TestHost::press(button, kInside);
    TestHost::release(button, QPoint(0, 0)); // a cut corner
    EXPECT_EQ(log.count("Click"), 0);
}

// A keyboard click from the host shows the pressed face until its timer and
// leaves the press state alone: after a right press Space still looks unpressed.
TEST_F(Input, right_press_neither_looks_pressed_nor_clicks_but_a_keyboard_click_and_space_still_do)
{
    TestHost::movePointerTo(button, kInside);
    log.take();
    button->setFocus();
    TestHost::press(button, kInside, Qt::RightButton);
    EXPECT_FALSE(pressedFaceShown(button));
    TestHost::release(button, kInside, Qt::RightButton);
    EXPECT_EQ(log.take(), (QStringList{"MouseDown(2,0,10,12)", "MouseUp(2,0,10,12)"}));
    ASSERT_TRUE(button->clickFromKeyboard(50));
    EXPECT_EQ(log.take(), QStringList{"Click"});
    EXPECT_TRUE(pressedFaceShown(button));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pressedFaceShown(button); }));
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_FALSE(pressedFaceShown(button));
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log.count("Click"), 1);
}

// A key event with its time.
void sendKey(XPButton *button, QEvent::Type type, Qt::Key key, quint64 timestamp, bool repeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r", repeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(button, &event);
}

// A held key repeats as a release and a press at one time. Most platforms
// flag the pair as a repeat; the X server does not (Qt flags it only when the
// press is already queued), so a timed release waits for a press to pair it.
TEST_F(Input, held_space_or_enter_looks_pressed_and_clicks_once_at_the_real_release)
{
    button->setFocus();
    ASSERT_TRUE(focusRingShown(button));
    for (const auto &[key, code] : {std::pair{Qt::Key_Space, 32}, {Qt::Key_Return, 13}})
        for (const bool flagged : {true, false}) {
            SCOPED_TRACE(::testing::Message() << code << (flagged ? " flagged" : " unflagged"));
            sendKey(button, QEvent::KeyPress, key, 1000);
            EXPECT_TRUE(pressedFaceShown(button));
            // A flagged pair comes without a time: only its flag keeps the release from clicking.
            for (quint64 t : {1500, 1533, 1566}) {
                sendKey(button, QEvent::KeyRelease, key, flagged ? 0 : t, flagged);
                sendKey(button, QEvent::KeyPress, key, flagged ? 0 : t, flagged);
                QTest::qWait(40);
                EXPECT_TRUE(pressedFaceShown(button));
            }
            EXPECT_EQ(log.count("Click"), 0) << "no Click while the key is held";
            sendKey(button, QEvent::KeyRelease, key, 1800);
            EXPECT_TRUE(QTest::qWaitFor([&] { return log.count("Click") == 1; }));
            QTest::qWait(60);
            EXPECT_FALSE(pressedFaceShown(button));
            const QString down = QStringLiteral("KeyDown(%1,0)").arg(code);
            const QString press = QStringLiteral("KeyPress(%1)").arg(code);
            EXPECT_EQ(log.take(), (QStringList{down, press, down, press, down, press, down, press, "Click",
                                               QStringLiteral("KeyUp(%1,0)").arg(code)}));
        }
    // A repeat press arriving after the wait stops the hold from clicking again.
    sendKey(button, QEvent::KeyPress, Qt::Key_Space, 1000);
    sendKey(button, QEvent::KeyRelease, Qt::Key_Space, 1500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("Click") == 1; }));
    sendKey(button, QEvent::KeyPress, Qt::Key_Space, 1500); // late half of the pair
    sendKey(button, QEvent::KeyRelease, Qt::Key_Space, 1533);
    sendKey(button, QEvent::KeyPress, Qt::Key_Space, 1533);
    sendKey(button, QEvent::KeyRelease, Qt::Key_Space, 1800);
    QTest::qWait(60);
    EXPECT_EQ(log.count("Click"), 1);
    EXPECT_FALSE(pressedFaceShown(button));
    // Quick separate taps have distinct times and each clicks.
    log.take();
    for (quint64 t : {2000, 2100}) {
        sendKey(button, QEvent::KeyPress, Qt::Key_Space, t);
        sendKey(button, QEvent::KeyRelease, Qt::Key_Space, t + 20);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.count("Click") == 2; }));
    // A release without a time cannot be half of a pair: it clicks at once,
    // if its own key went down last.
    log.take();
    QTest::keyPress(button, Qt::Key_Return);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log.count("Click"), 0) << "Space released after Enter went down";
    QTest::keyRelease(button, Qt::Key_Return);
    EXPECT_EQ(log.count("Click"), 1);
    QTest::keyRelease(button, Qt::Key_Return);
    EXPECT_EQ(log.count("Click"), 1) << "a second release without a key-down";
}

TEST_F(Input, release_waiting_for_a_repeat_is_dropped_when_the_button_is_disabled_or_deleted)
{
    for (const bool deleted : {false, true}) {
        QPointer<XPButton> b(deleted ? host.third() : button);
        EventLog bLog(b);
        b->setFocus();
        sendKey(b, QEvent::KeyPress, Qt::Key_Return, 1000);
        sendKey(b, QEvent::KeyRelease, Qt::Key_Return, 1100);
        deleted ? delete b.data() : b->setButtonEnabled(false);
        QTest::qWait(60);
        EXPECT_EQ(bLog.count("Click"), 0) << deleted;
    }
}

TEST_F(Input, return_release_after_the_box_it_opened_closed_does_not_click_again)
{
    QWindow *window = host.window()->windowHandle();
    QObject::connect(button, &XPButton::Click, button, [&] {
        QMessageBox box(QMessageBox::Information, "Info", "text", QMessageBox::Ok, host.window());
        box.exec();
    });
    // Closes every box with a Return press, as a user does.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        QWidget *box = QApplication::activeModalWidget();
        if (box && box->windowHandle() && box->isActiveWindow())
            QTest::keyPress(box->windowHandle(), Qt::Key_Return);
    });
    closer.start(10);
    button->setFocus();
    for (const char *round : {"first box", "second box"}) {
        QTest::keyPress(window, Qt::Key_Return);
        QTest::keyRelease(window, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("Click") == 1 && !QApplication::activeModalWidget(); }))
            << round;
        // The window manager gives the focus back to the window the box left.
        host.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == button; })) << round;
        // The release of the Return that closed the box reaches the button.
        log.take();
        QTest::keyRelease(window, Qt::Key_Return);
        QTest::qWait(60);
        EXPECT_EQ(log.take().join(' ').toStdString(), "KeyUp(13,0)") << round;
    }
    // A key-down from before the focus left does not count once it is back.
    QTest::keyPress(button, Qt::Key_Space);
    host.third()->setFocus();
    button->setFocus();
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log.take(), (QStringList{"KeyDown(32,0)", "KeyPress(32)", "KeyUp(32,0)"}));
}

TEST_F(Input, arrows_move_the_focus_later_and_still_raise_KeyDown)
{
    // Left and right move forward, up and down backward.
    const std::tuple<Qt::Key, int, XPButton *> cases[] = {{Qt::Key_Left, 37, host.third()},
        {Qt::Key_Right, 39, host.third()}, {Qt::Key_Up, 38, host.first()}, {Qt::Key_Down, 40, host.first()}};
    for (const auto &[key, code, target] : cases) {
        button->setFocus();
        log.take();
        QTest::keyClick(button, key);
        EXPECT_EQ(log.lines().value(0), QStringLiteral("KeyDown(%1,0)").arg(code));
        EXPECT_TRUE(QTest::qWaitFor([&, target = target] { return QApplication::focusWidget() == target; })) << code;
        EXPECT_TRUE(focusRingShown(target) && !focusRingShown(button)) << code;
    }
}

TEST(AccessKey, derivation_from_the_caption)
{
    const struct {
        const char *name, *caption, *key;
    } cases[] = {{"letter_after_ampersand", "&Save", "s"}, {"lower_case", "Bin&Ary", "a"}, {"no_ampersand", "Tbl", ""},
                 {"single_character", "&", ""}, {"ampersand_last", "ab&", ""}, {"doubled_alone", "a&&b", ""},
                 {"doubled_then_single", "a&&b&c", "c"}, {"doubled_then_doubled", "a&&b&&c", ""},
                 {"tripled", "&&&x", "x"}, {"only_first_single_counts", "&a&b", "a"},
                 {"after_pair_only_next_counts", "&&x&&y&z", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(accessKeyOfCaption(QString::fromUtf8(c.caption)), QString::fromUtf8(c.key)) << c.name;
}

TEST_F(Input, access_key_clicks_and_follows_caption_changes)
{
    button->setCaption(QStringLiteral("&Save"));
    QTest::keyClick(host.window()->windowHandle(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
    button->setCaption(QStringLiteral("Sa&ve"));
    QTest::keyClick(host.window()->windowHandle(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(host.window()->windowHandle(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 2);
    button->setVisible(false);
    QTest::keyClick(host.window()->windowHandle(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 2);
}

TEST_F(Input, disabled_or_never_read_button_raises_nothing)
{
    auto *bare = new XPButton(host.window()); // never given its properties
    bare->setGeometry(20, 100, 80, 30);
    bare->show();
    button->setCaption(QStringLiteral("&Off"));
    button->setButtonEnabled(false);
    for (XPButton *b : {button, bare}) {
        EventLog bLog(b);
        TestHost::movePointerTo(b, kInside);
        TestHost::press(b, kInside);
        TestHost::release(b, kInside);
        TestHost::doubleClick(b, kInside);
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Space);
        QTest::keyClick(host.window()->windowHandle(), Qt::Key_O, Qt::AltModifier);
        EXPECT_TRUE(bLog.lines().isEmpty()) << bLog.lines().join(' ').toStdString();
    }
}

// The hover ends with no motion outside the button. On Wayland a pointer
// that leaves the window in one motion sends none and the cursor position
// stays the last one seen over the button; a modal box takes the pointer
// without a move. Only the leave Qt sends to the window tells.
TEST(Hover, ends_when_the_window_reports_the_pointer_gone)
{
    enum { WindowLeft, WindowHidden, ModalBox };
    for (const int how : {WindowLeft, WindowHidden, ModalBox}) {
        SCOPED_TRACE(how);
        TestHost local;
        XPButton *b = local.second();
        EventLog bLog(b);
        TestHost::movePointerTo(b, kInside);
        ASSERT_TRUE(hoverRingShown(b));
        QMessageBox box(QMessageBox::Information, "Info", "x", QMessageBox::Ok, local.window());
        box.setWindowModality(Qt::ApplicationModal);
        if (how == ModalBox) {
            box.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return bLog.count("MouseOut") == 1; }));
        } else {
            QEvent leave(QEvent::Leave);
            if (how == WindowHidden)
                local.window()->hide();
            else
                QCoreApplication::sendEvent(local.window()->windowHandle(), &leave);
            // The leave is handled at once, not on a later event.
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(bLog.take(), (QStringList{"MouseOver", "MouseMove(0,0,10,12)", "MouseOut"}));
        local.window()->show();
        EXPECT_FALSE(hoverRingShown(b) || timerRunning(b));
    }
}

// The hover timer polls the pointer only while a mouse button is held.
TEST_F(Input, held_press_runs_the_hover_timer_and_a_drag_back_shows_the_pressed_face)
{
    TestHost::movePointerTo(button, kInside);
    TestHost::press(button, kInside);
    EXPECT_TRUE(timerRunning(button));
    TestHost::movePointerTo(button, QPoint(-15, 12));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("MouseOut") == 1; }));
    TestHost::movePointerTo(button, kInside);
    EXPECT_TRUE(pressedFaceShown(button));
    TestHost::release(button, kInside);
    EXPECT_FALSE(timerRunning(button));
    log.take();
    TestHost::movePointerTo(button, QPoint(12, 12));
    EXPECT_EQ(log.take(), (QStringList{"MouseOver", "MouseMove(0,0,12,12)"}));
    EXPECT_TRUE(hoverRingShown(button) && !timerRunning(button));
    TestHost::press(button, kInside);
    TestHost::movePointerTo(button, QPoint(-15, 12));
    TestHost::release(button, QPoint(-15, 12));
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.count("MouseOut") == 1; }));
    EXPECT_FALSE(timerRunning(button) || hoverRingShown(button));
}

// Events a press queues, run before its release, leave no pressed look.
TEST(PendingEventsDuringPress, are_survived)
{
    enum Meanwhile { Disable, Hide, Delete, Release };
    for (const Meanwhile meanwhile : {Disable, Hide, Delete, Release}) {
        SCOPED_TRACE(int(meanwhile));
        TestHost local;
        QPointer<XPButton> guard(local.second());
        EventLog bLog(guard);
        QMouseEvent release(QEvent::MouseButtonRelease, kInside, guard->mapToGlobal(kInside), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QObject::connect(guard, &XPButton::MouseDown, guard, [&] {
            QMetaObject::invokeMethod(qApp, [&] {
                switch (meanwhile) {
                case Disable: guard->setButtonEnabled(false); break;
                case Hide: guard->hide(); break;
                case Delete: delete guard.data(); break;
                case Release: QApplication::sendEvent(guard, &release);
                }
            }, Qt::QueuedConnection);
        });
        TestHost::press(guard, kInside);
        TestHost::release(local.window(), QPoint(5, 5));
        if (meanwhile == Delete) {
            EXPECT_TRUE(guard.isNull());
            continue;
        }
        EXPECT_FALSE(pressedFaceShown(guard));
        EXPECT_EQ(bLog.count("Click"), meanwhile == Release ? 1 : 0);
    }
}

TEST_F(Input, accessible_push_button_named_by_caption_with_tooltip_states_press_and_its_keys)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(iface, nullptr);
    QAccessibleActionInterface *actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    const QString press = QAccessibleActionInterface::pressAction();
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    for (const auto &[caption, name] : {std::pair{"&Save", "Save"}, {"A&&B", "A&B"}, {"&&&x", "&x"}}) {
        button->setCaption(QString::fromUtf8(caption));
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(name)) << caption;
    }
    button->setToolTip(QStringLiteral("Kosongkan memori"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Kosongkan memori"));
    // The press action announces the key hint, then the access key.
    const std::tuple<const char *, const char *, QStringList> cases[] = {{"Sin", "", {}}, {"Sin", "S", {"S"}},
        {"&Save", "Ctrl+M", {"Ctrl+M", "Alt+S"}}, {"&Save", "", {"Alt+S"}}};
    for (const auto &[caption, hint, bindings] : cases) {
        button->setCaption(QString::fromLatin1(caption));
        button->setKeyHint(QString::fromLatin1(hint));
        EXPECT_EQ(actions->keyBindingsForAction(press), bindings) << caption << " " << hint;
        EXPECT_TRUE(actions->keyBindingsForAction(QStringLiteral("other")).isEmpty());
    }
    button->setFocus();
    EXPECT_TRUE(iface->state().focused);
    actions->doAction(press);
    EXPECT_EQ(log.take(), QStringList{"Click"});
    button->setButtonEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    actions->doAction(press);
    EXPECT_TRUE(log.lines().isEmpty());
}

} // namespace
