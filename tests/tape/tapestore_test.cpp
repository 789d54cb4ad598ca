#include "tapefixture.h"

#include "tape/tapedatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>

#include <functional>
#include <optional>
#include <utility>

namespace hitungrama {
namespace {

using TapeStoreTest = TapeFixture;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A run that never uses its tape never opens it: no thread, no file, no
// database loaded. Its first use, a write or a read, opens it ahead of that use.
TEST_F(TapeStoreTest, lines_survive_closing_and_reopening_with_private_modes)
{
    {
        TapeStore store(options());
        store.open(tapePath());
        QCoreApplication::processEvents();
        EXPECT_TRUE(store.isOpenPending());
        EXPECT_FALSE(QFileInfo::exists(tapePath()));
        append(store, {QStringLiteral("12 + 3 * 4"), QStringLiteral("sin(2 + 3)")});
        EXPECT_EQ(store.backing(), TapeBacking::Disk);
        EXPECT_TRUE(store.notice().isEmpty());
        // Owner, group and other bits: only the owner may read a tape.
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            EXPECT_EQ(QFileInfo(tapePath() + suffix).permissions() & 0x7077, owner) << suffix.toStdString();
        EXPECT_EQ(QFileInfo(path(QStringLiteral("data"))).permissions() & 0x7077, owner | QFile::ExeOwner);
    }
    TapeStore store(options());
    store.open(tapePath());
    QCoreApplication::processEvents();
    EXPECT_TRUE(store.isOpenPending());
    // The first use is a read: it sees the kept lines, not a tape still opening.
    EXPECT_EQ(store.lineCount(), 2);
    EXPECT_FALSE(store.isOpenPending());
    append(store, {QStringLiteral("2 ^ 10")});
    EXPECT_EQ(store.lineCount(), 3);
    EXPECT_EQ(texts(store.lastLines(2)), asLines({QStringLiteral("sin(2 + 3)"), QStringLiteral("2 ^ 10")}));
    EXPECT_EQ(store.lastLines(1).first().time.timeSpec(), Qt::UTC);
}

TEST_F(TapeStoreTest, a_bad_file_is_set_aside_with_its_companions_and_a_new_tape_starts)
{
    const QString tape = tapePath();
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"random bytes",
         [&] {
             QByteArray noise;
             for (int i = 0; i < 8192; ++i)
                 noise += char((i * 7919 + 13) % 251);
             writeFile(tape, noise);
         }},
        {"truncated",
         [&] {
             openStore().reset();
             bulkInsert(numbers(1, 3000));
             QFile::resize(tape, QFileInfo(tape).size() / 2);
         }},
        {"a folder", [&] { QDir().mkpath(tape + QStringLiteral("/inside")); }},
        {"wrong schema", [&] { Connection(tape).exec(QStringLiteral("CREATE TABLE notes(body TEXT)")); }},
        {"another application's id",
         [&] {
             openStore().reset();
             Connection(tape).exec(QStringLiteral("PRAGMA application_id = 1234"));
         }},
    };
    for (const auto &[name, make] : cases) {
        SCOPED_TRACE(name);
        QDir(path(QStringLiteral("data"))).removeRecursively();
        QDir().mkpath(path(QStringLiteral("data")));
        make();
        const bool folder = QFileInfo(tape).isDir();
        if (!folder) {
            writeFile(tape + QStringLiteral("-wal"), "wal bytes");
            writeFile(tape + QStringLiteral("-shm"), "shm bytes");
        }
        const QByteArray before = fileBytes(tape);

        auto store = openStore();
        EXPECT_EQ(store->backing(), TapeBacking::Disk);
        EXPECT_EQ(store->fault(), TapeFault::BadFileKept);
        const QStringList kept = QDir(path(QStringLiteral("data")))
                                     .entryList({QStringLiteral("riwayat.sqlite.rusak-*")}, QDir::AllEntries);
        ASSERT_FALSE(kept.isEmpty());
        EXPECT_TRUE(kept.first().contains(
            QRegularExpression(QStringLiteral("^riwayat\\.sqlite\\.rusak-\\d{8}T\\d{6}Z$"))));
        const QString keptPath = path(QStringLiteral("data/") + kept.first());
        EXPECT_TRUE(store->notice().contains(keptPath));
        if (folder)
            EXPECT_TRUE(QFileInfo(keptPath + QStringLiteral("/inside")).isDir());
        else
            EXPECT_EQ(fileBytes(keptPath), before);
        append(*store, {QStringLiteral("1 + 1")});
        EXPECT_EQ(texts(store->lastLines(5)), asLines({QStringLiteral("1 + 1")}));
    }
}

TEST_F(TapeStoreTest, a_newer_tape_is_left_untouched_and_this_run_stays_in_memory)
{
    QDir().mkpath(path(QStringLiteral("data")));
    {
        Connection newer(tapePath());
        newer.exec(QStringLiteral("CREATE TABLE line(id INTEGER PRIMARY KEY, future TEXT)"));
        newer.exec(QStringLiteral("PRAGMA user_version = 99"));
    }
    const QByteArray before = fileBytes(tapePath());
    {
        auto store = openStore();
        EXPECT_EQ(store->backing(), TapeBacking::Memory);
        EXPECT_EQ(store->fault(), TapeFault::NewerVersion);
        EXPECT_FALSE(store->notice().isEmpty());
        append(*store, {QStringLiteral("7 - 2")});
        EXPECT_EQ(texts(store->lastLines(5)), asLines({QStringLiteral("7 - 2")}));
        store->eraseKept();
        EXPECT_TRUE(store->waitForWrites(5000));
    }
    EXPECT_EQ(fileBytes(tapePath()), before);
    EXPECT_FALSE(QFileInfo::exists(tapePath() + QStringLiteral("-wal")));
}

TEST_F(TapeStoreTest, an_unwritable_folder_keeps_every_line_in_memory)
{
    const QStringList asUser = asNobody();
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_folder.path(), readOnly | QFile::WriteOwner);
    // A data folder that exists but is read-only, and a missing one that
    // can't be made.
    for (const QString &folder : {QStringLiteral("data"), QStringLiteral("locked")}) {
        QDir().mkpath(path(folder));
        QFile::setPermissions(path(folder), readOnly);
    }
    const QString inMemory =
        QStringLiteral("5 %1 %2 5").arg(int(TapeBacking::Memory)).arg(int(TapeFault::FolderUnwritable));
    for (const QString &tape : {tapePath(), path(QStringLiteral("locked/data/riwayat.sqlite"))}) {
        const QStringList out = helperOutput(*startHelper(tape, 5, QStringLiteral("x"), asUser));
        ASSERT_GE(out.size(), 2);
        EXPECT_EQ(out[0], inMemory) << tape.toStdString();
        EXPECT_TRUE(out[1].startsWith(QStringLiteral("Folder "))) << out[1].toStdString();
        EXPECT_FALSE(QFileInfo::exists(tape));
    }
}

// A full disk (a page limit here) or a lock held past the busy timeout moves
// the tape to memory at the failing line, with every line of this run.
TEST_F(TapeStoreTest, a_write_fault_moves_the_tape_to_memory_without_losing_a_line)
{
    for (const TapeFault fault : {TapeFault::DiskFull, TapeFault::Locked}) {
        SCOPED_TRACE(int(fault));
        QDir(path(QStringLiteral("data"))).removeRecursively();
        TapeOptions limited = options();
        limited.maxPageCount = fault == TapeFault::DiskFull ? 40 : 0;
        auto store = openStore(limited);
        QStringList written{QStringLiteral("before")};
        append(*store, written);
        std::optional<Connection> other;
        if (fault == TapeFault::Locked) {
            other.emplace(tapePath());
            other->exec(QStringLiteral("BEGIN IMMEDIATE"));
        }
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 400 && store->backing() == TapeBacking::Disk; ++i) {
            written << QString(400, QLatin1Char('7')) + QStringLiteral(" + %1").arg(i);
            append(*store, {written.last()});
        }
        if (fault == TapeFault::Locked) {
            EXPECT_GE(clock.elapsed(), 4900);
        }
        other.reset();
        EXPECT_EQ(store->backing(), TapeBacking::Memory);
        EXPECT_EQ(store->fault(), fault);
        EXPECT_FALSE(store->notice().isEmpty());
        written << QStringLiteral("after");
        append(*store, {written.last()});
        EXPECT_EQ(store->lineCount(), written.size());
        EXPECT_EQ(texts(store->lastLines(int(written.size()))), asLines(written));
    }
    // Full already when opening: nothing fits.
    QDir(path(QStringLiteral("data"))).removeRecursively();
    TapeOptions full = options();
    full.maxPageCount = 1;
    auto store = openStore(full);
    EXPECT_EQ(store->backing(), TapeBacking::Memory);
    EXPECT_EQ(store->fault(), TapeFault::DiskFull);
}

TEST_F(TapeStoreTest, two_programs_appending_at_once_lose_and_double_nothing)
{
    QDir().mkpath(path(QStringLiteral("data")));
    const auto first = startHelper(tapePath(), 300, QStringLiteral("a"));
    const auto second = startHelper(tapePath(), 300, QStringLiteral("b"));
    for (QProcess *helper : {first.get(), second.get()})
        EXPECT_TRUE(helperOutput(*helper).value(0).startsWith(QStringLiteral("300 1 0 ")));
    Connection check(tapePath());
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(*) FROM line")), 600);
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(DISTINCT expression) FROM line")), 600);
    // The text index is in step: "a 1" is in a 1, a 10 to a 19, a 100 to a 199.
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(*) FROM line_text WHERE line_text MATCH '\"a 1\"'")),
              111);
}

// "QJXV" is the only text with these letters: neither it nor its trigrams
// (folded to lower case, each stored whole in the index as none shares a
// first letter with its neighbour) may be left in the file or its WAL.
TEST_F(TapeStoreTest, deleting_leaves_no_trace_of_the_text_in_the_file)
{
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << QStringLiteral("%1 * %2").arg(i).arg(i % 7);
    const struct {
        const char *name;
        void (*remove)(TapeStore &store, qint64 id);
        int left;
    } cases[] = {
        {"one line", [](TapeStore &store, qint64 id) { store.remove({id}); }, 1000},
        {"all", [](TapeStore &store, qint64) { store.removeAll(); }, 0},
        {"kept, after keeping off",
         [](TapeStore &store, qint64) {
             store.setKeeping(false);
             store.eraseKept();
         },
         1001},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        QDir(path(QStringLiteral("data"))).removeRecursively();
        auto store = openStore();
        append(*store, many);
        QSignalSpy committed(store.get(), &TapeStore::lineCommitted);
        append(*store, {QStringLiteral("QJXV")});
        append(*store, many);
        const QByteArray before = fileBytes(tapePath());
        ASSERT_TRUE(before.contains("QJXV") && before.contains("qjx") && before.contains("jxv"));
        row.remove(*store, committed.first().first().value<TapeLine>().id);
        EXPECT_TRUE(store->waitForWrites(20000));
        const QByteArray after = fileBytes(tapePath());
        for (const char *trace : {"QJXV", "qjx", "jxv"})
            EXPECT_FALSE(after.contains(trace)) << trace;
        EXPECT_EQ(store->lineCount(), row.left);
    }
}

TEST_F(TapeStoreTest, keeping_off_in_one_program_stops_disk_writes_in_every_one)
{
    auto mine = openStore();
    auto other = openStore();
    append(*other, {QStringLiteral("kept")});
    mine->setKeeping(false);
    EXPECT_TRUE(mine->waitForWrites(5000));
    EXPECT_EQ(mine->backing(), TapeBacking::Memory);
    EXPECT_FALSE(other->isKeeping());
    append(*other, {QStringLiteral("not kept")});
    EXPECT_EQ(other->backing(), TapeBacking::Memory);
    // The other program's run so far came along into its memory tape.
    EXPECT_EQ(texts(other->lastLines(5)), asLines({QStringLiteral("kept"), QStringLiteral("not kept")}));
    Connection disk(tapePath());
    EXPECT_EQ(disk.value(QStringLiteral("SELECT count(*) FROM line")), 1);

    mine->setKeeping(true);
    append(*other, {QStringLiteral("kept again")});
    EXPECT_EQ(other->backing(), TapeBacking::Disk);
    EXPECT_EQ(disk.value(QStringLiteral("SELECT count(*) FROM line")), 2);
}

// Without a settings file the choice can be neither kept nor shared, so
// nothing goes to disk and it can't be turned on.
TEST_F(TapeStoreTest, without_a_settings_file_nothing_is_kept_on_disk)
{
    auto store = openStore(TapeOptions(QString()));
    store->setKeeping(true);
    EXPECT_FALSE(store->isKeeping());
    append(*store, {QStringLiteral("1+1")});
    EXPECT_EQ(store->backing(), TapeBacking::Memory);
    EXPECT_EQ(store->fault(), TapeFault::None);
    EXPECT_EQ(store->lineCount(), 1);
    EXPECT_FALSE(QFileInfo::exists(tapePath()));
}

} // namespace
} // namespace hitungrama
