// The tape window, driven by keys and clicks: its lines, commands, search,
// "Simpan riwayat" and what is kept of it between runs.
#include "windowsetup.h"

#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "window/displayclipboard.h"
#include "window/programsettings.h"
#include "window/tapewindow.h"
#include "window/tapewindowplacement.h"
#include "window/terminationsignals.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace hitungrama::test {
namespace {

constexpr int kWaitMs = 5000;

class TapeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramSettings().remove(QLatin1String(TapeWindowPlacement::kSettingsGroup));
        ASSERT_TRUE(window.show());
        // Waiting on the tape opens it.
        ASSERT_TRUE(form().tape()->waitForWrites(kWaitMs));
        ASSERT_NE(form().tape()->backing(), TapeBacking::None);
        form().tape()->removeAll();
        settle();
    }
    void TearDown() override
    {
        form().tape()->setKeeping(true);
        ProgramSettings().remove(QLatin1String(TapeWindowPlacement::kSettingsGroup));
    }

    WindowSetup window;
    QSignalSpy beeps{window.form.get(), &Form1::inputRefused};

    Form1 &form() { return *window.form; }
    TapeWindow &tape() { return *form().tapeWindow(); }
    QListView &list() { return *tape().list(); }
    TapeModel &model() { return *tape().model(); }
    void type(const char *keys) { QTest::keyClicks(form().display(), QString::fromLatin1(keys)); }
    void settle()
    {
        ASSERT_TRUE(form().tape()->waitForWrites(kWaitMs));
        ASSERT_TRUE(form().tapeWindow() == nullptr || tape().model() == nullptr
                    || QTest::qWaitFor([&] { return !model().isLoading(); }, kWaitMs));
    }
    void on() { QTest::keyClick(form().display(), Qt::Key_Escape); }
    void open()
    {
        QTest::keyClick(form().display(), Qt::Key_H, Qt::ControlModifier);
        ASSERT_NE(form().tapeWindow(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&tape(), kWaitMs));
        settle();
    }
    QStringList shown()
    {
        QStringList texts;
        for (int row = 0; row < model().rowCount(); ++row)
            texts << model().line(row).text();
        return texts;
    }
    // The program's next run: a new main window on the same tape and settings.
    void restart()
    {
        window.form.reset();
        window.form = ProgramStart::createWindow("window_tests", window.boxes);
        ASSERT_TRUE(window.show());
    }
    static QClipboard &clipboard() { return *QGuiApplication::clipboard(); }
};

TEST(TapeWindowPlacement, goes_beside_the_main_window_on_the_screen)
{
    EXPECT_EQ(TapeWindowPlacement::beside(QRect(250, 50, 500, 320), QSize(300, 400), 200, QRect(0, 0, 1000, 700)),
              QRect(750, 50, 250, 400)) << "narrowed to the wider side";
}

TEST_F(TapeWindowTest, ctrl_h_or_the_menu_opens_it_beside_the_main_window_with_every_control_named)
{
    type("2+3=");
    form().move(20, 20);
    open();
    EXPECT_TRUE(form().tape()->isWatching());
    EXPECT_GE(tape().x(), form().frameGeometry().right());
    using Command = TapeWindow::Command;
    for (QWidget *control : QList<QWidget *>{tape().searchField(), &list(), tape().keepingBox(),
                                             tape().button(Command::Use), tape().button(Command::Copy),
                                             tape().button(Command::Remove), tape().button(Command::RemoveAll),
                                             tape().button(Command::Export)}) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << control->metaObject()->className();
    }
    QTest::keyClick(&list(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(tape().isVisible());
    EXPECT_FALSE(form().tape()->isWatching());
    EXPECT_EQ(tape().model(), nullptr);
    const std::unique_ptr<QMenu> menu(form().clipboard().createMenu(nullptr));
    menu->actions().last()->trigger();
    EXPECT_TRUE(tape().isVisible());
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(TapeWindowTest, opens_at_the_newest_line_and_scrolling_up_fetches_older_ones_in_place)
{
    for (int i = 1; i <= 300; ++i)
        form().tape()->append({0, {}, QString::number(i), QString::number(i), false});
    settle();
    open();
    const int rows = model().rowCount();
    ASSERT_LT(rows, 300);
    EXPECT_TRUE(list().viewport()->rect().contains(list().visualRect(model().index(rows - 1))));
    EXPECT_EQ(list().currentIndex().row(), rows - 1);

    list().verticalScrollBar()->setValue(0);
    const qint64 top = model().line(0).id;
    ASSERT_TRUE(QTest::qWaitFor([&] { return model().rowCount() > rows; }, kWaitMs));
    EXPECT_EQ(list().indexAt(QPoint(0, 0)).row(), model().rowOf(top)) << "the rows in view stay";
    EXPECT_EQ(list().visualRect(model().index(model().rowOf(top))).top(), 0);
}

TEST_F(TapeWindowTest, pakai_puts_the_result_in_the_display_by_the_paste_rule_and_leaves_the_clipboard)
{
    const struct {
        const char *name;
        const char *keys;  // typed into the main window to make the line
        bool binaryMode;   // when the line is used
        const char *shown; // in the display afterwards; nullptr: refused
    } cases[] = {
        {"number", "12+3*4=", false, "60"}, {"message", "5/0=", false, nullptr},
        {"binary numeral with binary mode off", "10b", false, nullptr},
        {"binary numeral in binary mode", "10b", true, "1010"},
    };
    open();
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        clipboard().setText(QStringLiteral("untouched"));
        on();
        type(row.keys);
        on();
        if (row.binaryMode)
            QTest::mouseClick(form().binaryModeBox(), Qt::LeftButton);
        const QString before = form().display()->text();
        beeps.clear();
        settle();
        tape().activateWindow();
        list().setFocus();
        QTest::keyClick(&list(), Qt::Key_End);
        QTest::keyClick(&list(), Qt::Key_Return);
        EXPECT_EQ(form().display()->text(), row.shown != nullptr ? QString::fromLatin1(row.shown) : before);
        EXPECT_EQ(beeps.count(), row.shown != nullptr ? 0 : 1);
        EXPECT_EQ(clipboard().text(), QStringLiteral("untouched"));
        if (row.binaryMode)
            QTest::mouseClick(form().binaryModeBox(), Qt::LeftButton);
    }
    // A double click uses the line too, and the main window takes the keyboard.
    on();
    const int row = int(shown().indexOf(QStringLiteral("12 + 3 * 4 = 60")));
    const QPoint point = list().visualRect(model().index(row)).center();
    // A real double click: a click, then the second press as a double click.
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(list().viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(form().display()->text(), QStringLiteral("60"));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form(), kWaitMs));
}

TEST_F(TapeWindowTest, salin_copies_hapus_deletes_and_hapus_semua_asks_first)
{
    type("1+1=2+2=3+3=");
    open();
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_End);
    QTest::keyClick(&list(), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard().text(), QStringLiteral("2 + 2 = 4\n3 + 3 = 6"));
    QTest::keyClick(&list(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(shown(), QStringList{QStringLiteral("1 + 1 = 2")});
    EXPECT_EQ(form().tape()->lineCount(), 1);
    for (const bool yes : {false, true}) {
        window.boxes.expect();
        window.boxes.queueAnswer(yes);
        QTest::mouseClick(tape().button(TapeWindow::Command::RemoveAll), Qt::LeftButton);
        settle();
        EXPECT_EQ(window.boxes.records().back().request.defaultAnswer, MessageAnswer::No);
        EXPECT_EQ(form().tape()->lineCount(), yes ? 0 : 1);
        EXPECT_EQ(model().rowCount(), yes ? 0 : 1);
    }
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(TapeWindowTest, ekspor_writes_the_chosen_file_or_says_why_and_leaves_none)
{
    type("12+3*4=5/0=");
    open();
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("taken.csv")));
    // The format comes from the name, else the filter; the contents are TapeExport's.
    const struct {
        const char *chosen;
        int filter;          // 0: CSV, 1: text
        const char *written; // nullptr: refused
    } cases[] = {
        {"out", 0, "out.csv"}, {"out.TXT", 0, "out.TXT"}, {"plain", 1, "plain.txt"},
        {"nowhere/out.csv", 0, nullptr}, {"taken.csv", 0, nullptr},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.chosen);
        window.boxes.queueSaveFile({folder.filePath(QString::fromLatin1(row.chosen)), row.filter});
        window.boxes.takeRecords();
        if (row.written == nullptr)
            window.boxes.expect();
        QTest::keyClick(&list(), Qt::Key_S, Qt::ControlModifier);
        if (row.written == nullptr) {
            ASSERT_EQ(window.boxes.records().size(), 1u);
            const MessageBoxRequest &box = window.boxes.records()[0].request;
            EXPECT_EQ(box.icon, MessageIcon::Exclamation);
            EXPECT_TRUE(box.text.contains(QString::fromLatin1(row.chosen))) << box.text.toStdString();
            continue;
        }
        QFile file(folder.filePath(QString::fromLatin1(row.written)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        if (QByteArray(row.written).endsWith(".csv"))
            EXPECT_TRUE(content.startsWith("waktu,ekspresi,hasil,biner\r\n")) << content.toStdString();
        else
            EXPECT_EQ(content, "12 + 3 * 4 = 60\n5 / 0 = Tidak ada pembagian dengan nol\n");
    }
    // The refused ones left nothing behind, not even a temporary file.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              (QStringList{QStringLiteral("out.csv"), QStringLiteral("out.TXT"), QStringLiteral("plain.txt"),
                           QStringLiteral("taken.csv")}));
}

TEST_F(TapeWindowTest, search_filters_literally_and_keeps_its_own_keys)
{
    type("12+3=112+1=2*12=");
    open();
    QLineEdit *search = tape().searchField();
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("12 +"));
    settle();
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("12 + 3 = 15"), QStringLiteral("112 + 1 = 113")}));
    // Its keys edit the text: Ctrl+C copies it, Delete deletes it, not lines.
    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(search, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard().text(), QStringLiteral("12 +"));
    QTest::keyClick(search, Qt::Key_Home);
    QTest::keyClick(search, Qt::Key_Delete);
    EXPECT_EQ(search->text(), QStringLiteral("2 +"));
    settle();
    EXPECT_EQ(form().tape()->lineCount(), 3);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(form().display()->text(), QStringLiteral("113"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), &list());
    EXPECT_EQ(list().currentIndex().row(), model().rowCount() - 1);
    // Typing in the list goes on in the search.
    QTest::keyClick(&list(), Qt::Key_3);
    EXPECT_EQ(search->text(), QStringLiteral("2 +3"));
}

TEST_F(TapeWindowTest, unticking_simpan_riwayat_asks_and_yes_erases_the_kept_lines)
{
    type("7+1=");
    open();
    QCheckBox *keeping = tape().keepingBox();
    ASSERT_TRUE(keeping->isChecked());
    for (const bool yes : {false, true}) {
        window.boxes.expect();
        window.boxes.queueAnswer(yes);
        QTest::mouseClick(keeping, Qt::LeftButton);
        EXPECT_FALSE(keeping->isChecked());
        settle();
        EXPECT_EQ(window.boxes.records().back().request.defaultAnswer, MessageAnswer::No);
        // What the file keeps, read by a store that ignores the shared choice.
        QTemporaryDir own;
        TapeOptions options;
        options.settingsFile = own.filePath(QStringLiteral("keep.ini"));
        TapeStore other(options);
        other.open();
        ASSERT_TRUE(other.waitForWrites(kWaitMs));
        EXPECT_EQ(other.lineCount(), yes ? 0 : 1);
        QTest::mouseClick(keeping, Qt::LeftButton);
        EXPECT_TRUE(form().tape()->isKeeping());
    }
}

// Another program changes the shared choice: the open window shows it as it
// is from this program's next line.
TEST_F(TapeWindowTest, simpan_riwayat_shows_another_programs_choice_at_the_next_line)
{
    open();
    TapeOptions options;
    options.settingsFile = ProgramSettings::filePath();
    TapeStore other(options);
    for (const bool on : {false, true}) {
        other.setKeeping(on);
        type("1+1=");
        settle();
        EXPECT_EQ(tape().keepingBox()->isChecked(), on);
    }
}

// The XDG rules make a relative base folder invalid: the tape and the
// settings go to their defaults, not under the working folder.
TEST(ProgramStart, ignores_relative_xdg_folders_for_the_tape_and_the_settings)
{
    const char *const names[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
    std::vector<std::optional<QByteArray>> kept;
    for (const char *name : names)
        kept.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const QString &value : {QStringLiteral("relative"), home.filePath(QStringLiteral("absolute"))}) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(value));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(value));
        WindowSetup started;
        ASSERT_NE(started.form, nullptr);
        const bool relative = !value.startsWith(QLatin1Char('/'));
        EXPECT_EQ(TapeStore::defaultPath(),
                  (relative ? home.filePath(QStringLiteral(".local/share")) : value)
                      + QStringLiteral("/Hitungrama/riwayat.sqlite"));
        EXPECT_EQ(ProgramSettings::filePath(), (relative ? home.filePath(QStringLiteral(".config")) : value)
                                                   + QStringLiteral("/Hitungrama/hitungrama.conf"));
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i])
            qputenv(names[i], *kept[i]);
        else
            qunsetenv(names[i]);
    }
}

// SIGTERM keeps it open too: closing the windows one by one would close it
// as the user does whenever it went before the main window.
TEST_F(TapeWindowTest, is_kept_open_when_the_session_ends_the_program)
{
    open();
    TerminationSignals::quitOnTermination();
    QTimer::singleShot(0, [] { ::kill(::getpid(), SIGTERM); });
    QTimer::singleShot(kWaitMs, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(tape().isVisible());
    EXPECT_TRUE(TapeWindowPlacement::wasOpen());
}

// Closed with the main window, it is kept as open: the next run opens it
// again as it was, behind its main window.
TEST_F(TapeWindowTest, is_kept_open_for_the_next_run)
{
    open();
    tape().setGeometry(40, 50, 420, 360);
    const QRect kept = tape().geometry();
    form().close();
    EXPECT_FALSE(tape().isVisible());
    restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form().tapeWindow() != nullptr; }, kWaitMs));
    EXPECT_TRUE(tape().isVisible());
    EXPECT_EQ(tape().geometry(), kept);
    EXPECT_EQ(QApplication::activeWindow(), &form());
    // Closed by the user, it stays closed.
    tape().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tape(), kWaitMs));
    QTest::keyClick(&list(), Qt::Key_Escape);
    restart();
    QTest::qWait(100);
    EXPECT_EQ(form().tapeWindow(), nullptr);
}

} // namespace
} // namespace hitungrama::test
