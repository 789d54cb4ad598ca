// Each way the running program ends writes the tape's queued lines first.
// The program runs in a child process through its own start-up path; a lock
// held on the tape file keeps the line of "2+3=" queued until after the
// event loop has ended. The parent then finds the line with a fresh store.
#include "windowsetup.h"

#include "tape/tapedatabase.h"
#include "tape/tapestore.h"
#include "layout/controlnames.h"
#include "settings/programsettings.h"
#include "xpbutton/xpbutton.h"

#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <future>
#include <thread>
#include <unistd.h>

namespace hitungrama::test {
namespace {

constexpr int kHoldMs = 1000;

// Holds the tape file's write lock for kHoldMs from a connection on a thread
// of its own, then lets go.
class TapeLock {
public:
    explicit TapeLock(const QString &path) : m_thread([this, path] { hold(path); })
    {
        m_taken.get_future().wait();
    }
    ~TapeLock() { m_thread.join(); }

    // Cleared before the commit: whoever saw it set knows no write of the
    // program's had committed yet.
    bool held() const { return m_held; }

private:
    void hold(const QString &path)
    {
        const QString name = QStringLiteral("exit-flush-lock");
        const bool connected = !TapeDatabase::connect(name, path, TapeDatabase::Access::ReadWrite, 0).isValid();
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            m_held = connected && !TapeDatabase::exec(db, QStringLiteral("BEGIN IMMEDIATE")).isValid();
            m_taken.set_value();
            if (m_held) {
                std::this_thread::sleep_for(std::chrono::milliseconds(kHoldMs));
                m_held = false;
                TapeDatabase::exec(db, QStringLiteral("COMMIT"));
            }
        }
        TapeDatabase::disconnect(name);
    }

    std::promise<void> m_taken;
    std::atomic<bool> m_held{false};
    std::thread m_thread;
};

struct ExitCase {
    const char *name;
    bool answersYes;
    // Ends the program, right after "2+3=" was typed.
    void (*leave)(Form1 &form);
};

const ExitCase kExits[] = {
    {"off_answered_yes", true,
     [](Form1 &form) {
         QTest::mouseClick(form.controls().button(controlname::kOffButton), Qt::LeftButton);
     }},
    {"ctrl_q_answered_yes", true,
     [](Form1 &form) { QTest::keyClick(form.display(), Qt::Key_Q, Qt::ControlModifier); }},
    // As the window manager closes it: a close event to the platform window.
    {"close_box", false,
     [](Form1 &form) {
         QCloseEvent close;
         QCoreApplication::sendEvent(form.windowHandle(), &close);
     }},
    {"sigterm", false, [](Form1 &) { ::kill(::getpid(), SIGTERM); }},
};

// Read with the program's settings (in the test's temporary home).
int committedLines(QList<TapeLine> *last = nullptr)
{
    TapeStore store(TapeOptions(ProgramSettings::filePath()));
    store.open();
    store.waitForWrites(10000);
    if (store.backing() != TapeBacking::Disk)
        return -1;
    if (last != nullptr)
        *last = store.lastLines(1);
    return store.lineCount();
}

// The child: the program with another window open beside it (as the tape
// window may be), ended one way. Exit codes: 0 when the run ended with the
// line still queued; 3 for another exit code of the run, 4 when it never
// ended, 5 when the lock was gone before the loop ended (nothing was queued
// then, so the case proved nothing), 6 without a lock.
[[noreturn]] void runAndLeave(const ExitCase &exit)
{
    TapeLock lock(TapeStore::defaultPath());
    if (!lock.held())
        std::_Exit(6);
    TestBoxes boxes;
    const std::unique_ptr<Form1> form = ProgramStart::createWindow("window_tests", boxes);
    QWidget other;
    other.show();
    if (exit.answersYes) {
        boxes.queueAnswer(true);
        boxes.expect();
    }
    bool heldAtQuit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { heldAtQuit = lock.held(); });
    QTimer::singleShot(0, form.get(), [&] {
        QTest::keyClicks(form->display(), QStringLiteral("2+3="));
        exit.leave(*form);
    });
    QTimer::singleShot(10000, [] { std::_Exit(4); });
    const int code = ProgramStart::run(*form);
    // _Exit: the leak check at exit would count what the skipped destructors
    // of the test program still hold.
    std::_Exit(code != 0 ? 3 : heldAtQuit ? 0 : 5);
}

class ExitFlushDeathTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitFlushDeathTest, queued_line_is_written_before_the_program_ends)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The name the program's start gives it, which places its tape.
    QCoreApplication::setApplicationName(QStringLiteral("Hitungrama"));
    const int before = committedLines();
    ASSERT_GE(before, 0) << "no tape file to lock";
    EXPECT_EXIT(runAndLeave(GetParam()), ::testing::ExitedWithCode(0), "");
    QList<TapeLine> last;
    EXPECT_EQ(committedLines(&last), before + 1);
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last.first().text(), QStringLiteral("2 + 3 = 5"));
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, ExitFlushDeathTest, ::testing::ValuesIn(kExits),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace hitungrama::test
