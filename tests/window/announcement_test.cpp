// What a screen reader is told: each result, message, memory and table
// change once, nothing for entry keys, a box instead of its step's result;
// windows as frames and the hidden table as not showing.
#include "windowsetup.h"

#include "tape/tapeline.h"
#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "accessibility/announcer.h"
#include "tapeview/tapewindow.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace hitungrama::test {
namespace {

// The offscreen platform has no accessibility bridge: the announcer acts as
// if a screen reader listened, and what it presents is recorded. The
// notification object itself is checked with the real screen reader
// (desktop_screenreader_orca_*).
class AnnouncementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Announcer::setListeningForTests(true);
        ASSERT_TRUE(window.show());
        QObject::connect(&window.form->announcer(), &Announcer::presented, window.form.get(),
                         [this](const QString &text) { m_heard.push_back(text); });
    }

    void TearDown() override { Announcer::setListeningForTests(false); }

    // Each step ends after the time in which a later result would replace it.
    static void step(const char *keys)
    {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(keys));
        QTest::qWait(Announcer::kCoalesceMs + 50);
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        QTest::qWait(Announcer::kCoalesceMs + 50);
    }
    std::vector<QString> heard() { return std::exchange(m_heard, {}); }

    WindowSetup window;
    std::vector<QString> m_heard;
};

using Heard = std::vector<QString>;

TEST_F(AnnouncementTest, results_and_messages_are_heard_once_and_entry_keys_not_at_all)
{
    const struct {
        const char *keys;
        Heard heard;
    } cases[] = {
        {"12+3*4=", {"15", "60"}},
        {"9r", {"3"}},
        {"2q3k", {"4", "27"}},
        {"5~", {"-5"}},
        {"5/0=", {"Tidak ada pembagian dengan nol"}},
        {"5b", {"00000101"}},
        {"123.4", {}},
        {"123\b", {"12"}},
        {"7g", {"Tabel perkalian 7"}},
    };
    for (const auto &c : cases) {
        key(Qt::Key_Escape);
        heard();
        step(c.keys);
        EXPECT_EQ(heard(), c.heard) << c.keys;
    }
    key(Qt::Key_Escape);
    EXPECT_EQ(heard(), Heard{"0"}) << "ON";
    key(Qt::Key_Delete);
    EXPECT_EQ(heard(), Heard{}) << "CE";
}

TEST_F(AnnouncementTest, memory_changes_are_heard_as_the_memory)
{
    step("0");
    key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(heard(), Heard{"memory can't Accept 0"});
    step("12");
    key(Qt::Key_M, Qt::ControlModifier);
    key(Qt::Key_L, Qt::ControlModifier);
    key(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(heard(), (Heard{"Memori 12", "Memori kosong", "0"}));
}

TEST_F(AnnouncementTest, a_box_speaks_for_its_step_and_a_declined_exit_is_heard)
{
    window.boxes.expect(2);
    step("7p");
    EXPECT_EQ(heard(), Heard{});
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(heard(), Heard{"0"});
}

TEST_F(AnnouncementTest, a_paste_is_heard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(heard(), Heard{"42"});
}

TEST_F(AnnouncementTest, results_that_come_fast_replace_each_other)
{
    step("1234");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::qWait(Announcer::kCoalesceMs + 50);
    EXPECT_EQ(heard(), (Heard{"123", "1"}));
}

// Only the window the user is in speaks of a new line, and a window in the
// background keeps its selection until the user comes back.
TEST_F(AnnouncementTest, a_line_is_heard_in_the_tape_window_in_use_only)
{
    window.form->showTape(true);
    TapeWindow *tape = window.form->tapeWindow();
    QObject::connect(&tape->announcer(), &Announcer::presented, tape,
                     [this](const QString &text) { m_heard.push_back(text); });
    ASSERT_TRUE(QTest::qWaitForWindowActive(tape, 2000));
    TapeStore &store = *window.form->tape();
    ASSERT_TRUE(store.waitForWrites(5000));
    store.removeAll();
    ASSERT_TRUE(store.waitForWrites(5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tape->model()->isLoading(); }, 5000));
    TapeLine line;
    line.expression = QStringLiteral("2 + 3");
    line.result = QStringLiteral("5");
    store.append(line);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_heard.empty(); }, 5000));
    EXPECT_EQ(heard(), Heard{"2 + 3 = 5"});

    window.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.form.get(), 2000));
    const QModelIndex selected = tape->list()->currentIndex();
    line.result = QStringLiteral("6");
    line.expression = QStringLiteral("2 + 4");
    store.append(line);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tape->model()->rowCount() == 2; }, 5000));
    EXPECT_EQ(tape->list()->currentIndex(), selected);
    tape->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tape, 2000));
    EXPECT_EQ(tape->list()->currentIndex().row(), 1);
    QTest::qWait(Announcer::kCoalesceMs + 50);
    EXPECT_EQ(heard(), Heard{});
}

TEST(Accessibility, windows_are_frames_and_the_narrow_window_hides_its_table)
{
    WindowSetup window;
    ASSERT_TRUE(window.show());
    QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(window.form.get());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), QStringLiteral("Quodrel Zodir  Hitungrama"));
    const QLabel *product = window.form->controls().label(QStringLiteral("Label8"), 9);
    ASSERT_NE(product, nullptr);
    EXPECT_FALSE(product->isVisible());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7g"));
    EXPECT_TRUE(product->isVisible());
    // Without a listener nothing is made to be heard.
    EXPECT_TRUE(window.form->findChildren<QWidget *>(QStringLiteral("announcement")).isEmpty());
    QAccessibleInterface *notice = nullptr;
    Announcer::setListeningForTests(true);
    window.form->announcer().announce(QStringLiteral("60"));
    Announcer::setListeningForTests(false);
    const auto made = window.form->findChildren<QWidget *>(QStringLiteral("announcement"));
    ASSERT_EQ(made.size(), 1);
    notice = QAccessible::queryAccessibleInterface(made.front());
    EXPECT_EQ(notice->role(), QAccessible::Notification);
    EXPECT_EQ(notice->text(QAccessible::Name), QStringLiteral("60"));
}

} // namespace
} // namespace hitungrama::test
