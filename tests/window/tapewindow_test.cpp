// The tape window, driven by keys and clicks: its lines, commands, search,
// "Simpan riwayat" and what is kept of it between runs.
#include "windowsetup.h"

#include "tape/tapedatabase.h"
#include "tape/tapemodel.h"
#include "tape/tapeschema.h"
#include "tape/tapestore.h"
#include "keyboard/displayclipboard.h"
#include "settings/programsettings.h"
#include "boxes/qtmessageboxservice.h"
#include "tapeview/tapeexportprogress.h"
#include "tapeview/tapelinedelegate.h"
#include "tapeview/tapewindow.h"
#include "tapeview/tapewindowplacement.h"
#include "app/terminationsignals.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <ctime>
#include <functional>
#include <optional>
#include <sys/mount.h>
#include <sys/resource.h>
#include <vector>

#include <gtest/gtest.h>

namespace hitungrama::test {
namespace {

constexpr int kWaitMs = 5000;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A tape file of `count` lines "i + x = i+x", one a second, made with the
// tape's own schema in one transaction (a million in a few seconds).
void makeTape(const QString &file, int count)
{
    const QString name = QStringLiteral("test-big-tape");
    ASSERT_FALSE(TapeDatabase::connect(name, file, TapeDatabase::Access::ReadWrite, kWaitMs).isValid());
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        EXPECT_FALSE(TapeDatabase::configureWriter(db, true, 0).isValid());
        EXPECT_FALSE(TapeSchema::migrate(db).isValid());
        const QString lines = QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
            " INSERT INTO line(time, expression, result, binary)"
            " SELECT 1700000000000 + i * 1000, i || ' + ' || (i * 7919 % 100003), i + i * 7919 % 100003, 0 FROM n");
        for (const QString &sql : {QStringLiteral("PRAGMA synchronous = OFF"), QStringLiteral("BEGIN"),
                                   lines.arg(count), QStringLiteral("INSERT INTO line_text(line_text) VALUES ('rebuild')"),
                                   QStringLiteral("COMMIT")}) {
            const QSqlError error = TapeDatabase::exec(db, sql);
            EXPECT_FALSE(error.isValid()) << error.text().toStdString();
        }
    }
    TapeDatabase::disconnect(name);
}

// How long the GUI thread works between two turns of its event loop (a
// 10 ms timer): the longest stretch of its processor time, which a busy
// machine does not lengthen, and, to report, the longest wall-clock gap.
class LoopGaps {
public:
    LoopGaps()
    {
        m_wall.start();
        m_cpu = threadCpuNs();
        m_timer.callOnTimeout([this] {
            const qint64 cpu = threadCpuNs();
            m_longestCpuNs = std::max(m_longestCpuNs, cpu - std::exchange(m_cpu, cpu));
            m_longestWallNs = std::max(m_longestWallNs, m_wall.nsecsElapsed());
            m_wall.restart();
        });
        m_timer.start(10);
    }
    // The stretch since the last turn counts too.
    double longestCpuMs() const { return double(std::max(m_longestCpuNs, threadCpuNs() - m_cpu)) / 1e6; }
    std::string describe() const
    {
        return "longest turn " + std::to_string(longestCpuMs()) + " ms of processor time, "
            + std::to_string(double(std::max(m_longestWallNs, m_wall.nsecsElapsed())) / 1e6) + " ms between turns";
    }

private:
    static qint64 threadCpuNs()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
    }

    QTimer m_timer;
    QElapsedTimer m_wall;
    qint64 m_cpu = 0;
    qint64 m_longestCpuNs = 0;
    qint64 m_longestWallNs = 0;
};

// A folder with 4 KiB of room beside a small file: a tmpfs of two pages where
// the test may mount one (root), else a limit on the size of every file the
// process writes while limit() holds (SIGXFSZ ignored, so that a write past
// it fails instead of ending the process).
class SmallDisk {
public:
    SmallDisk()
        : m_mounted(::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                            "size=8k,mode=0700")
                    == 0)
    {
    }
    ~SmallDisk()
    {
        release();
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }
    void limit()
    {
        if (m_mounted || m_limited)
            return;
        m_limited = true;
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    void release()
    {
        if (!std::exchange(m_limited, false))
            return;
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    QTemporaryDir m_dir;
    const bool m_mounted;
    bool m_limited = false;
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

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
    // The next run on the tape file that `make` writes in place of the old
    // one, with the tape window open.
    void restartOn(const std::function<void(const QString &file)> &make)
    {
        window.form.reset();
        const QString file = TapeStore::defaultPath();
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(file + suffix);
        make(file);
        restart();
        open();
    }
    // A click on `button` with the question it asks answered `yes`; No is
    // the question's default.
    void clickAnswering(QAbstractButton *button, bool yes)
    {
        window.boxes.expect();
        window.boxes.queueAnswer(yes);
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        EXPECT_EQ(window.boxes.records().back().request.defaultAnswer, MessageAnswer::No);
    }
    static QClipboard &clipboard() { return *QGuiApplication::clipboard(); }
    QList<qint64> selectedIds()
    {
        QList<qint64> ids;
        for (const TapeLine &line : tape().selectedLines())
            ids << line.id;
        return ids;
    }
    // The selected line is in view.
    bool selectionShown()
    {
        const QModelIndexList rows = list().selectionModel()->selectedRows();
        return rows.size() == 1 && list().viewport()->rect().contains(list().visualRect(rows.first()));
    }
    // Ctrl+S with the save dialog answered `file`, then the export to its end.
    void exportTo(const SaveFileAnswer &file)
    {
        window.boxes.queueSaveFile(file);
        QTest::keyClick(&list(), Qt::Key_S, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return tape().actions().runningExport() == nullptr; }, kWaitMs));
    }
};

TEST(TapeLineDelegate, a_long_line_loses_the_end_of_its_expression_never_its_result)
{
    const QFontMetrics metrics(QApplication::font());
    const QString expression = QStringLiteral("1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9");
    const QString result = QStringLiteral("45");
    const struct {
        const char *name;
        int width;
        QString start; // what the shown text starts and ends with
        QString end;
    } cases[] = {
        {"whole", metrics.horizontalAdvance(expression + QStringLiteral(" = 45")), QStringLiteral("1 + 2"),
         QStringLiteral("9 = 45")},
        {"expression cut", metrics.horizontalAdvance(QStringLiteral("1 + 2 + 3 + 4 = 45")), QStringLiteral("1 + 2"),
         QStringLiteral("\u2026 = 45")},
        {"result cut too", metrics.horizontalAdvance(QStringLiteral("\u2026 = 45")) - 1, QStringLiteral("\u2026 ="),
         QStringLiteral("\u2026")},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const QString shown = TapeLineDelegate::shownText(expression, result, metrics, row.width);
        EXPECT_LE(metrics.horizontalAdvance(shown), row.width);
        EXPECT_TRUE(shown.startsWith(row.start) && shown.endsWith(row.end)) << shown.toStdString();
    }
}

// The dialog adds the chosen filter's suffix to a typed name before it asks
// about replacing a file: "report" with report.csv there asks about
// report.csv; with the text filter chosen, it is report.txt.
TEST(SaveDialog, asks_before_replacing_the_file_that_will_be_written)
{
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("report.csv")), "old\n");
    const SaveFileRequest request{QStringLiteral("Ekspor riwayat"), folder.filePath(QStringLiteral("riwayat.csv")),
                                  {QStringLiteral("CSV (*.csv)"), QStringLiteral("Teks (*.txt)")},
                                  {QStringLiteral("csv"), QStringLiteral("txt")}};
    QStringList questions;
    QTimer boxes;
    boxes.callOnTimeout([&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            questions << box->text();
            box->button(QMessageBox::No)->click();
        }
    });
    boxes.start(10);
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setProperty("drivenByTest", true);
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        auto *filter = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(name != nullptr && filter != nullptr);
        const auto typeName = [name] {
            name->clear();
            QTest::keyClicks(name, QStringLiteral("report"));
            QTest::keyClick(name, Qt::Key_Return);
        };
        typeName();
        // No keeps the dialog open; the text filter then.
        filter->setFocus();
        QTest::keyClick(filter, Qt::Key_Down);
        typeName();
        QTimer::singleShot(kWaitMs, dialog, &QDialog::reject);
    });
    const SaveFileAnswer answer = QtMessageBoxService().chooseSaveFile(nullptr, request);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions.first().contains(QStringLiteral("report.csv"))) << questions.first().toStdString();
    EXPECT_EQ(answer.path, folder.filePath(QStringLiteral("report.txt")));
    EXPECT_EQ(answer.filter, 1);
    EXPECT_EQ(contents(folder.filePath(QStringLiteral("report.csv"))), "old\n");
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
    // The older neighbour takes the deleted lines' place, selected; with the
    // oldest line gone, the newer one.
    EXPECT_EQ(tape().selectedLines().size(), 1);
    EXPECT_EQ(tape().selectedLines().value(0).text(), QStringLiteral("1 + 1 = 2"));
    tape().activateWindow();
    on();
    type("4+4=");
    settle();
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Home);
    QTest::keyClick(&list(), Qt::Key_Delete);
    settle();
    EXPECT_EQ(tape().selectedLines().value(0).text(), QStringLiteral("4 + 4 = 8"));
    // Enter and Ctrl+C act on selected lines only: none here, so they beep.
    QTest::keyClick(&list(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(tape().selectedLines().isEmpty());
    on();
    const QString display = form().display()->text();
    QTest::keyClick(&list(), Qt::Key_Return);
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(form().display()->text(), display);
    EXPECT_EQ(beeps.count(), 2);
    beeps.clear();
    QTest::keyClick(&list(), Qt::Key_End);
    for (const bool yes : {false, true}) {
        clickAnswering(tape().button(TapeWindow::Command::RemoveAll), yes);
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
        window.boxes.takeRecords();
        if (row.written == nullptr)
            window.boxes.expect();
        exportTo({folder.filePath(QString::fromLatin1(row.chosen)), row.filter});
        if (row.written == nullptr) {
            ASSERT_EQ(window.boxes.records().size(), 1u);
            const MessageBoxRequest &box = window.boxes.records()[0].request;
            EXPECT_EQ(box.icon, MessageIcon::Exclamation);
            EXPECT_TRUE(box.text.contains(QString::fromLatin1(row.chosen))) << box.text.toStdString();
            continue;
        }
        const QByteArray content = contents(folder.filePath(QString::fromLatin1(row.written)));
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
    // Escape clears a search field that holds text; the next one closes.
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_EQ(search->text(), QString());
    EXPECT_TRUE(tape().isVisible());
    QTest::keyClick(search, Qt::Key_Escape);
    EXPECT_FALSE(tape().isVisible());
}

// 400 lines for a disk with 4 KiB of room, all of them held in the file's
// buffer until the end: the last write fails, and the export with it.
TEST_F(TapeWindowTest, an_export_cut_short_by_a_full_disk_says_why_and_keeps_the_old_file)
{
    for (int i = 1; i <= 400; ++i)
        form().tape()->append({0, {}, QStringLiteral("%1 + 1").arg(i), QString::number(i + 1), false});
    settle();
    open();
    SmallDisk disk;
    const QString report = disk.filePath(QStringLiteral("report.csv"));
    writeFile(report, "old\n");
    window.boxes.takeRecords();
    window.boxes.expect();
    disk.limit();
    exportTo({report, 0});
    disk.release();
    ASSERT_EQ(window.boxes.records().size(), 1u);
    const MessageBoxRequest &box = window.boxes.records()[0].request;
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_TRUE(box.text.contains(report)) << box.text.toStdString();
    EXPECT_EQ(contents(report), "old\n");
    EXPECT_EQ(disk.entries(), QStringList{QStringLiteral("report.csv")});
}

// A notice (here: a damaged tape set aside) is wrapped to the window's
// width, whole.
TEST_F(TapeWindowTest, a_notice_wraps_to_the_window_whole)
{
    restartOn([](const QString &file) { writeFile(file, QByteArray(8192, 'x')); });
    const QLabel *notice = tape().noticeLabel();
    const QString text = form().tape()->notice();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(notice->text().remove(QChar(0x200B)), text);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->height() >= 2 * notice->fontMetrics().height(); }, kWaitMs))
        << "one line: " << notice->text().toStdString();
    EXPECT_LE(notice->geometry().right(), tape().width());
}

// A million lines: the ends of the tape are one key or one drag away, a
// long search and an export leave the window answering, and an export is
// one at a time, cancelled by Cancel or by the program's end.
TEST_F(TapeWindowTest, a_million_lines_answer_at_once)
{
    constexpr int kLines = 1000000;
    restartOn([](const QString &file) { makeTape(file, kLines); });
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(selectedIds(), QList<qint64>{1});
    EXPECT_TRUE(selectionShown());
    QTest::keyClick(&list(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(selectedIds(), QList<qint64>{kLines});
    EXPECT_TRUE(selectionShown());
    QScrollBar *bar = list().verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->minimum());
    EXPECT_TRUE(QTest::qWaitFor([&] { return model().rowCount() > 0 && model().line(0).id == 1; }, kWaitMs));
    bar->setSliderDown(false);
    EXPECT_LE(model().rowCount(), TapeModel::defaultMaxRows);

    // 10,000 characters pasted: the field keeps 200, and the search runs
    // without holding the window up.
    QString pasted;
    for (int i = 1; pasted.size() < 10000; ++i)
        pasted += QStringLiteral("%1 + ").arg(i);
    clipboard().setText(pasted);
    QLineEdit *search = tape().searchField();
    search->setFocus();
    {
        LoopGaps gaps;
        QTest::keyClick(search, Qt::Key_V, Qt::ControlModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !model().isLoading(); }, 60000));
        EXPECT_LT(gaps.longestCpuMs(), 50) << gaps.describe();
    }
    EXPECT_EQ(search->text(), pasted.left(200));
    // The ends of a search: "99 + " begins the lines whose number ends in 99.
    search->clear();
    QTest::keyClicks(search, QStringLiteral("99 + "));
    settle();
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Home, Qt::ControlModifier);
    settle();
    EXPECT_EQ(selectedIds(), QList<qint64>{99});
    QTest::keyClick(&list(), Qt::Key_End, Qt::ControlModifier);
    settle();
    EXPECT_EQ(selectedIds(), QList<qint64>{kLines - 1});
    EXPECT_TRUE(selectionShown());
    search->clear();
    settle();

    QTemporaryDir folder;
    const QString kept = folder.filePath(QStringLiteral("all.csv"));
    writeFile(kept, "old\n");
    list().setFocus();
    window.boxes.queueSaveFile({kept, 0});
    {
        LoopGaps gaps;
        QTest::keyClick(&list(), Qt::Key_S, Qt::ControlModifier);
        QTest::qWait(700);
        EXPECT_LT(gaps.longestCpuMs(), 50) << gaps.describe();
    }
    TapeExportProgress *progress = tape().actions().runningExport();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_GT(progress->value(), 0);
    // A click, as Qt's offscreen platform has made the progress the active window.
    QPushButton *exportButton = tape().button(TapeWindow::Command::Export);
    QSignalSpy refused(&form(), &Form1::inputRefused);
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(window.boxes.saveRequests().size(), 1u);
    EXPECT_EQ(refused.count(), 1);
    auto *cancel = progress->findChild<QPushButton *>();
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tape().actions().runningExport() == nullptr; }, kWaitMs));
    EXPECT_EQ(contents(kept), "old\n");

    window.boxes.queueSaveFile({folder.filePath(QStringLiteral("quit.csv")), 0});
    QTest::mouseClick(exportButton, Qt::LeftButton);
    ASSERT_NE(tape().actions().runningExport(), nullptr);
    window.form.reset();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("all.csv")});
    restart();
}

TEST_F(TapeWindowTest, unticking_simpan_riwayat_asks_and_yes_erases_the_kept_lines)
{
    type("7+1=");
    open();
    QCheckBox *keeping = tape().keepingBox();
    ASSERT_TRUE(keeping->isChecked());
    for (const bool yes : {false, true}) {
        clickAnswering(keeping, yes);
        EXPECT_FALSE(keeping->isChecked());
        // What the file keeps, read by a store that ignores the shared choice.
        QTemporaryDir own;
        TapeStore other(TapeOptions(own.filePath(QStringLiteral("keep.ini"))));
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
    TapeStore other(TapeOptions(ProgramSettings::filePath()));
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
