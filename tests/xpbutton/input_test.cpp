#include "testhost.h"
#include "xpbutton/accesskey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace hitungrama;
using namespace hitungrama::test;

namespace {

const QPoint kInside(10, 12);

QColor at(const XPButton *button, int x, int y)
{
    return QColor(button->image().pixel(x, y));
}

bool hoverRingShown(const XPButton *button)
{
    return at(button, 1, 2) == QColor(254, 223, 154);
}

bool focusRingShown(const XPButton *button)
{
    return at(button, 10, 1) == QColor(206, 231, 251);
}

bool pressedFaceShown(const XPButton *button)
{
    return at(button, 10, 1) == QColor(209, 204, 192);
}

bool timerRunning(const XPButton *button)
{
    return button->findChild<QTimer *>(QStringLiteral("HoverTimer"))->isActive();
}

QString down(int button, int x = kInside.x(), int y = kInside.y())
{
    return QStringLiteral("MouseDown(%1,0,%2,%3)").arg(button).arg(x).arg(y);
}

QString up(int button, int x = kInside.x(), int y = kInside.y())
{
    return QStringLiteral("MouseUp(%1,0,%2,%3)").arg(button).arg(x).arg(y);
}

class Input : public ::testing::Test {
protected:
    TestHost host;
    XPButton *button = host.second();
    EventLog log{button};
};

TEST_F(Input, hover_entry_then_one_more_move_then_silence)
{
    TestHost::movePointerTo(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{"MouseOver", "MouseMove(0,0,10,12)"}));
    EXPECT_TRUE(hoverRingShown(button));
    EXPECT_TRUE(timerRunning(button));
    TestHost::movePointerTo(button, QPoint(11, 12));
    EXPECT_EQ(log.take(), QStringList{"MouseMove(0,0,11,12)"});
    TestHost::movePointerTo(button, QPoint(12, 12));
    TestHost::movePointerTo(button, QPoint(13, 12));
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(Input, leaving_raises_MouseOut_on_a_timer_tick_and_stops_the_timer)
{
    TestHost::movePointerTo(button, kInside);
    log.take();
    host.movePointerAway();
    ASSERT_TRUE(waitFor([&] { return !log.lines().isEmpty(); }));
    EXPECT_EQ(log.take(), QStringList{"MouseOut"});
    EXPECT_FALSE(hoverRingShown(button));
    EXPECT_FALSE(timerRunning(button));
    TestHost::movePointerTo(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{"MouseOver", "MouseMove(0,0,10,12)"}));
}

TEST_F(Input, cut_corner_counts_as_outside)
{
    TestHost::movePointerTo(button, kInside);
    log.take();
    TestHost::movePointerTo(button, QPoint(0, 0));
    ASSERT_TRUE(waitFor([&] { return log.count("MouseOut") == 1; }));
    TestHost::movePointerTo(button, QPoint(button->width() - 1, button->height() - 1));
    QTest::qWait(10);
    EXPECT_EQ(log.take(), QStringList{"MouseOut"}) << "no hover entry on a corner";
}

TEST_F(Input, every_state_keeps_the_four_corners_cut)
{
    auto cornersCut = [&] {
        const int r = button->width() - 1;
        const int b = button->height() - 1;
        const QRegion mask = button->mask();
        return !mask.isEmpty() && !mask.contains(QPoint(0, 0)) && !mask.contains(QPoint(r, 0))
            && !mask.contains(QPoint(0, b)) && !mask.contains(QPoint(r, b))
            && mask.contains(QPoint(1, 0)) && mask.contains(QPoint(r, b - 1));
    };
    EXPECT_TRUE(cornersCut()) << "resting";
    TestHost::movePointerTo(button, kInside);
    EXPECT_TRUE(cornersCut()) << "hover";
    TestHost::press(button, kInside);
    EXPECT_TRUE(cornersCut()) << "pressed";
    TestHost::release(button, kInside);
    button->setFocus();
    EXPECT_TRUE(cornersCut()) << "focused";
    button->setButtonEnabled(false);
    EXPECT_TRUE(cornersCut()) << "disabled";
    button->setGeometry(button->x(), button->y(), 50, 20);
    ASSERT_TRUE(waitFor([&] { return button->image().width() == 50; }));
    EXPECT_TRUE(cornersCut()) << "after a resize";
}

TEST_F(Input, left_press_looks_pressed_and_release_over_the_button_clicks)
{
    TestHost::press(button, kInside);
    EXPECT_TRUE(pressedFaceShown(button));
    EXPECT_EQ(log.take(), QStringList{down(1)});
    TestHost::release(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{up(1), "Click"}));
    EXPECT_FALSE(pressedFaceShown(button));
}

TEST_F(Input, release_away_from_the_button_gives_no_click)
{
    TestHost::press(button, kInside);
    TestHost::release(button, QPoint(-20, 5));
    EXPECT_EQ(log.take(), (QStringList{down(1), up(1, -20, 5)}));
    TestHost::press(button, kInside);
    TestHost::release(button, QPoint(0, 0)); // a cut corner
    EXPECT_EQ(log.count("Click"), 0);
}

TEST_F(Input, right_press_neither_looks_pressed_nor_clicks_but_space_still_does)
{
    button->setFocus();
    TestHost::press(button, kInside, Qt::RightButton);
    EXPECT_FALSE(pressedFaceShown(button));
    TestHost::release(button, kInside, Qt::RightButton);
    EXPECT_EQ(log.take(), (QStringList{down(2), up(2)}));
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_FALSE(pressedFaceShown(button)) << "the last press was not the left button";
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log.count("Click"), 1);
}

struct KeyCase {
    const char *name;
    Qt::Key key;
    int code;
};

class ClickKey : public Input, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ClickKey, presses_on_key_down_and_clicks_on_key_up)
{
    const int code = GetParam().code;
    button->setFocus();
    ASSERT_TRUE(focusRingShown(button));
    QTest::keyPress(button, GetParam().key);
    EXPECT_TRUE(pressedFaceShown(button));
    QTest::keyRelease(button, GetParam().key);
    EXPECT_FALSE(pressedFaceShown(button));
    EXPECT_EQ(log.take(), (QStringList{QStringLiteral("KeyDown(%1,0)").arg(code),
                                       QStringLiteral("KeyPress(%1)").arg(code), "Click",
                                       QStringLiteral("KeyUp(%1,0)").arg(code)}));
}

TEST_P(ClickKey, held_down_clicks_once_at_release)
{
    button->setFocus();
    const Qt::Key key = GetParam().key;
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
    QTest::keyPress(button, key);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeatUp(QEvent::KeyRelease, key, Qt::NoModifier, text, true);
        QKeyEvent repeatDown(QEvent::KeyPress, key, Qt::NoModifier, text, true);
        QApplication::sendEvent(button, &repeatUp);
        QApplication::sendEvent(button, &repeatDown);
        EXPECT_TRUE(pressedFaceShown(button));
    }
    QTest::keyRelease(button, key);
    EXPECT_EQ(log.count("Click"), 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, ClickKey,
                         ::testing::Values(KeyCase{"space", Qt::Key_Space, 32},
                                           KeyCase{"enter", Qt::Key_Return, 13}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Input, space_released_after_enter_went_down_gives_no_click)
{
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Return);
    QTest::keyRelease(button, Qt::Key_Space);
    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyPress(button, Qt::Key_A);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_EQ(log.count("Click"), 0);
    EXPECT_EQ(log.count("KeyUp(32,0)"), 2);
}

struct ArrowCase {
    const char *name;
    Qt::Key key;
    int code;
    int target; // 0 first, 2 third
};

class ArrowKey : public Input, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(ArrowKey, moves_the_focus_later_and_still_raises_KeyDown)
{
    button->setFocus();
    QTest::keyClick(button, GetParam().key);
    EXPECT_EQ(log.lines().value(0), QStringLiteral("KeyDown(%1,0)").arg(GetParam().code));
    XPButton *expected = GetParam().target == 0 ? host.first() : host.third();
    EXPECT_TRUE(waitFor([&] { return QApplication::focusWidget() == expected; }));
    EXPECT_TRUE(focusRingShown(expected));
    EXPECT_FALSE(focusRingShown(button));
}

INSTANTIATE_TEST_SUITE_P(Arrows, ArrowKey,
                         ::testing::Values(ArrowCase{"left_forward", Qt::Key_Left, 37, 2},
                                           ArrowCase{"right_forward", Qt::Key_Right, 39, 2},
                                           ArrowCase{"up_backward", Qt::Key_Up, 38, 0},
                                           ArrowCase{"down_backward", Qt::Key_Down, 40, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

struct AccessKeyCase {
    const char *name;
    const char *caption;
    const char *key;
};

class AccessKeyDerivation : public ::testing::TestWithParam<AccessKeyCase> {};

TEST_P(AccessKeyDerivation, gives_the_expected_key)
{
    EXPECT_EQ(accessKeyOfCaption(QString::fromUtf8(GetParam().caption)),
              QString::fromUtf8(GetParam().key));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, AccessKeyDerivation,
    ::testing::Values(AccessKeyCase{"letter_after_ampersand", "&Save", "s"},
                      AccessKeyCase{"lower_case_of_a_capital", "Bin&Ary", "a"},
                      AccessKeyCase{"digit", "&7", "7"},
                      AccessKeyCase{"no_ampersand", "Tbl", ""},
                      AccessKeyCase{"single_character", "&", ""},
                      AccessKeyCase{"one_letter", "x", ""},
                      AccessKeyCase{"empty", "", ""},
                      AccessKeyCase{"ampersand_last", "ab&", ""},
                      AccessKeyCase{"doubled_alone", "a&&b", ""},
                      AccessKeyCase{"doubled_then_single", "a&&b&c", "c"},
                      AccessKeyCase{"doubled_then_doubled", "a&&b&&c", ""},
                      AccessKeyCase{"doubled_then_trailing", "a&&b&", ""},
                      AccessKeyCase{"tripled", "&&&x", "x"},
                      AccessKeyCase{"only_first_single_counts", "&a&b", "a"},
                      AccessKeyCase{"after_pair_only_next_counts", "&&x&&y&z", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Input, access_key_clicks_and_follows_caption_changes)
{
    button->setCaption(QStringLiteral("&Save"));
    QTest::keyClick(host.window(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
    button->setCaption(QStringLiteral("Sa&ve"));
    QTest::keyClick(host.window(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 1);
    QTest::keyClick(host.window(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 2);
    button->setButtonEnabled(false);
    QTest::keyClick(host.window(), Qt::Key_V, Qt::AltModifier);
    button->setButtonEnabled(true);
    button->setVisible(false);
    QTest::keyClick(host.window(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log.count("Click"), 2);
}

TEST_F(Input, disabled_button_raises_nothing)
{
    button->setCaption(QStringLiteral("&Off"));
    button->setButtonEnabled(false);
    TestHost::movePointerTo(button, kInside);
    TestHost::click(button, kInside);
    TestHost::doubleClick(button, kInside);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(host.window(), Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(' ').toStdString();
    EXPECT_EQ(at(button, 10, 10), QColor(245, 244, 234));
}

TEST_F(Input, button_never_given_properties_takes_no_input)
{
    auto *bare = new XPButton(host.window());
    bare->setGeometry(20, 100, 80, 30);
    bare->show();
    EventLog bareLog(bare);
    TestHost::movePointerTo(bare, kInside);
    TestHost::click(bare, kInside);
    bare->setFocus();
    QTest::keyClick(bare, Qt::Key_Space);
    EXPECT_TRUE(bareLog.lines().isEmpty()) << bareLog.lines().join(' ').toStdString();
}

TEST_F(Input, double_click_gives_two_clicks)
{
    TestHost::doubleClick(button, kInside);
    EXPECT_EQ(log.take(), (QStringList{down(1), up(1), "Click", "MouseDown(1,0,0,0)", up(1),
                                       "Click"}));
}

TEST_F(Input, left_drag_out_and_back_leaves_hover_working)
{
    TestHost::movePointerTo(button, kInside);
    TestHost::press(button, kInside);
    TestHost::movePointerTo(button, QPoint(-15, 12));
    ASSERT_TRUE(waitFor([&] { return log.count("MouseOut") == 1; })) << log.lines().join(' ').toStdString();
    TestHost::movePointerTo(button, kInside);
    EXPECT_TRUE(pressedFaceShown(button)) << "dragging back in shows the pressed face";
    EXPECT_TRUE(log.lines().endsWith(QStringLiteral("MouseMove(1,0,10,12)")));
    TestHost::release(button, kInside);
    log.take();
    TestHost::movePointerTo(button, QPoint(12, 12));
    EXPECT_EQ(log.take(), (QStringList{"MouseOver", "MouseMove(0,0,12,12)"}));
    EXPECT_TRUE(hoverRingShown(button));
    EXPECT_TRUE(timerRunning(button));
}

TEST_F(Input, fore_hover_change_shows_only_at_the_next_repaint)
{
    button->setCaption(QStringLiteral("MW"));
    button->setButtonFont(QFont(QStringLiteral("DejaVu Sans"), 20, QFont::Bold));
    TestHost::movePointerTo(button, kInside);
    const QImage hovered = button->image().copy();
    button->setForeHover(0x0000FF);
    EXPECT_EQ(button->image(), hovered);
    button->setCaption(QStringLiteral("MW"));
    EXPECT_NE(button->image(), hovered);
}

enum class Meanwhile { Disable, Hide, Delete, Release };

std::string meanwhileName(Meanwhile what)
{
    switch (what) {
    case Meanwhile::Disable: return "disable";
    case Meanwhile::Hide: return "hide";
    case Meanwhile::Delete: return "delete";
    case Meanwhile::Release: return "release";
    }
    return {};
}

class PendingEventsDuringPress : public Input,
                                 public ::testing::WithParamInterface<Meanwhile> {};

TEST_P(PendingEventsDuringPress, are_survived)
{
    QPointer<XPButton> guard(button);
    const Meanwhile what = GetParam();
    QObject::connect(button, &XPButton::MouseDown, button, [&] {
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                if (!guard)
                    return;
                switch (what) {
                case Meanwhile::Disable: guard->setButtonEnabled(false); break;
                case Meanwhile::Hide: guard->hide(); break;
                case Meanwhile::Delete: delete guard.data(); break;
                case Meanwhile::Release: {
                    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(kInside),
                                        QPointF(guard->mapToGlobal(kInside)), Qt::LeftButton,
                                        Qt::NoButton, Qt::NoModifier);
                    QApplication::sendEvent(guard, &release);
                    break;
                }
                }
            },
            Qt::QueuedConnection);
    });
    TestHost::press(button, kInside);
    TestHost::release(host.window(), QPoint(5, 5));
    switch (what) {
    case Meanwhile::Disable:
        EXPECT_EQ(at(button, 10, 10), QColor(245, 244, 234));
        break;
    case Meanwhile::Hide:
        EXPECT_FALSE(button->isVisible());
        break;
    case Meanwhile::Delete:
        EXPECT_TRUE(guard.isNull());
        break;
    case Meanwhile::Release:
        EXPECT_FALSE(pressedFaceShown(button)) << "a release already handled wins";
        EXPECT_EQ(log.count("Click"), 1) << "only the first release was over the button";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PendingEventsDuringPress,
                         ::testing::Values(Meanwhile::Disable, Meanwhile::Hide,
                                           Meanwhile::Delete, Meanwhile::Release),
                         [](const auto &info) { return meanwhileName(info.param); });

TEST_F(Input, click_handler_deleting_the_button_is_safe)
{
    QPointer<XPButton> guard(button);
    QObject::connect(button, &XPButton::Click, button, [&] { delete guard.data(); });
    button->setFocus();
    QTest::keyPress(button, Qt::Key_Space);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_TRUE(guard.isNull());
}

} // namespace
