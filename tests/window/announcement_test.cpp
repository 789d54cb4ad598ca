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

    // Types the keys, or presses the chord in angle brackets ("<Ctrl+M>"),
    // and waits the time in which a later result would replace it.
    static void step(const QString &keys)
    {
        if (keys.startsWith(u'<'))
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys.mid(1, keys.size() - 2)));
        else
            QTest::keyClicks(QApplication::focusWidget(), keys);
        QTest::qWait(Announcer::kCoalesceMs + 50);
    }
    std::vector<QString> heard() { return std::exchange(m_heard, {}); }

    WindowSetup window;
    std::vector<QString> m_heard;
};

using Heard = std::vector<QString>;

// ON starts each case. A box speaks for its step; fast results replace each other.
TEST_F(AnnouncementTest, results_messages_memory_and_pastes_are_heard_once_and_entry_keys_not_at_all)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    const struct {
        QStringList steps;
        Heard heard;
        int boxes = 0;
    } cases[] = {
        {{"12+3*4="}, {"15", "60"}},
        {{"9r"}, {"3"}},
        {{"2q3k"}, {"4", "27"}},
        {{"5~"}, {"-5"}},
        {{"5/0="}, {"Tidak ada pembagian dengan nol"}},
        {{"5b"}, {"00000101"}},
        {{"123.4"}, {}},
        {{"123\b"}, {"12"}},
        {{"1234", "\b\b\b"}, {"123", "1"}},
        {{"7g", "<Esc>", "<Del>"}, {"Tabel perkalian 7", "0"}},
        {{"0", "<Ctrl+M>"}, {"memory can't Accept 0"}},
        {{"12", "<Ctrl+M>", "<Ctrl+L>", "<Ctrl+R>"}, {"Memori 12", "Memori kosong", "0"}},
        {{"<Ctrl+V>"}, {"42"}},
        {{"7p", "<Ctrl+Q>"}, {"0"}, 2}, // a declined exit is heard
    };
    for (const auto &c : cases) {
        step(QStringLiteral("<Esc>"));
        heard();
        window.boxes.expect(c.boxes);
        for (const QString &keys : c.steps)
            step(keys);
        EXPECT_EQ(heard(), c.heard) << c.steps.join(QLatin1Char(' ')).toStdString();
    }
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
    Announcer::setListeningForTests(true);
    window.form->announcer().announce(QStringLiteral("60"));
    Announcer::setListeningForTests(false);
    const auto made = window.form->findChildren<QWidget *>(QStringLiteral("announcement"));
    ASSERT_EQ(made.size(), 1);
    QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(made.front());
    EXPECT_EQ(notice->role(), QAccessible::Notification);
    EXPECT_EQ(notice->text(QAccessible::Name), QStringLiteral("60"));
}

} // namespace
} // namespace hitungrama::test
