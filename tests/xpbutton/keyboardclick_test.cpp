// Clicks from the host's keyboard map: a timed pressed face, no change of
// focus or press state, and the key that screen readers announce.
#include "testhost.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

namespace {

bool pressedFaceShown(const XPButton *b) { return QColor(b->image().pixel(10, 1)) == QColor(209, 204, 192); }

TEST(KeyboardClick, shows_the_pressed_face_until_its_timer_and_leaves_the_focus)
{
    TestHost host;
    XPButton *button = host.second();
    host.first()->setFocus();
    EventLog log(button);
    button->setButtonEnabled(false);
    EXPECT_FALSE(button->clickFromKeyboard(50));
    button->setButtonEnabled(true);
    ASSERT_TRUE(button->clickFromKeyboard(50));
    EXPECT_EQ(log.take(), QStringList{"Click"});
    EXPECT_TRUE(pressedFaceShown(button));
    EXPECT_EQ(QApplication::focusWidget(), host.first());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pressedFaceShown(button); }));

    // After a right press Space looks unpressed; a keyboard click between
    // them must leave that press state alone.
    button->setFocus();
    TestHost::press(button, QPoint(10, 12), Qt::RightButton);
    TestHost::release(button, QPoint(10, 12), Qt::RightButton);
    ASSERT_TRUE(button->clickFromKeyboard(50));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pressedFaceShown(button); }));
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_FALSE(pressedFaceShown(button));
    QTest::keyRelease(button, Qt::Key_Space);
}

TEST(KeyboardClick, press_action_announces_the_key_then_the_access_key)
{
    TestHost host;
    XPButton *button = host.second();
    QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    const QString press = QAccessibleActionInterface::pressAction();
    struct Case {
        const char *caption;
        const char *hint;
        QStringList bindings;
    };
    const Case cases[] = {
        {"Sin", "", {}},
        {"Sin", "S", {"S"}},
        {"&Save", "Ctrl+M", {"Ctrl+M", "Alt+S"}},
        {"&Save", "", {"Alt+S"}},
    };
    for (const Case &c : cases) {
        button->setCaption(QString::fromLatin1(c.caption));
        button->setKeyHint(QString::fromLatin1(c.hint));
        EXPECT_EQ(actions->keyBindingsForAction(press), c.bindings) << c.caption << " " << c.hint;
        EXPECT_TRUE(actions->keyBindingsForAction(QStringLiteral("other")).isEmpty());
    }
}

} // namespace
