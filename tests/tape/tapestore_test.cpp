#include "tapefixture.h"

#include "tape/tapedatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include <unistd.h>

namespace hitungrama {
namespace {

using TapeStoreTest = TapeFixture;

// A connection of the test's own to a file, closed when it goes.
class Connection {
public:
    explicit Connection(const QString &file)
    {
        EXPECT_FALSE(TapeDatabase::connect(name, file, TapeDatabase::Access::ReadWrite, 100).isValid());
    }
    ~Connection() { TapeDatabase::disconnect(name); }
    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }
    void exec(const QString &sql) const
    {
        QSqlDatabase handle = db();
        const QSqlError error = TapeDatabase::exec(handle, sql);
        EXPECT_FALSE(error.isValid()) << error.text().toStdString();
    }
    qint64 value(const QString &sql) const
    {
        QSqlQuery query(db());
        return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
    }

private:
    const QString name = QStringLiteral("test-%1").arg(quintptr(this), 0, 16);
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(TapeStoreTest, lines_survive_closing_and_reopening_with_private_modes)
{
    {
        auto store = openStore();
        QSignalSpy committed(store.get(), &TapeStore::lineCommitted);
        append(*store, {QStringLiteral("12 + 3 * 4"), QStringLiteral("sin(2 + 3)")});
        ASSERT_EQ(committed.size(), 2);
        const auto first = committed[0][0].value<TapeLine>();
        const auto second = committed[1][0].value<TapeLine>();
        EXPECT_GT(first.id, 0);
        EXPECT_GT(second.id, first.id);
        EXPECT_EQ(first.text(), QStringLiteral("12 + 3 * 4 = 1"));
        EXPECT_EQ(store->backing(), TapeBacking::Disk);
        EXPECT_TRUE(store->notice().isEmpty());
        // Owner, group and other bits: only the owner may read a tape.
        const auto mode = [](const QString &file) { return QFileInfo(file).permissions() & 0x7077; };
        const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner;
        EXPECT_EQ(mode(tapePath()), owner);
        EXPECT_EQ(mode(tapePath() + QStringLiteral("-wal")), owner);
        EXPECT_EQ(mode(tapePath() + QStringLiteral("-shm")), owner);
        EXPECT_EQ(mode(path(QStringLiteral("data"))), owner | QFile::ExeOwner);
    }
    auto store = openStore();
    append(*store, {QStringLiteral("2 ^ 10")});
    EXPECT_EQ(store->lineCount(), 3);
    EXPECT_EQ(texts(store->lastLines(2)),
              (QStringList{QStringLiteral("sin(2 + 3) = 1"), QStringLiteral("2 ^ 10 = 1")}));
    EXPECT_EQ(store->lastLines(1).first().time.timeSpec(), Qt::UTC);
}

// A run that never uses its tape never opens it: no thread, no file, no
// database loaded. The first use opens it, ahead of that use.
TEST_F(TapeStoreTest, tape_opens_at_its_first_use)
{
    for (const auto &use : std::vector<std::function<void(TapeStore &)>>{
             [](TapeStore &store) { store.append(line(QStringLiteral("7 + 8"), QStringLiteral("15"))); },
             [](TapeStore &store) { store.lineCount(); },
         }) {
        QDir(path(QStringLiteral("data"))).removeRecursively();
        TapeStore store(options());
        store.open(tapePath());
        QCoreApplication::processEvents();
        EXPECT_TRUE(store.isOpenPending());
        EXPECT_FALSE(QFileInfo::exists(tapePath()));
        use(store);
        EXPECT_FALSE(store.isOpenPending());
        EXPECT_TRUE(store.waitForWrites(20000));
        EXPECT_EQ(store.backing(), TapeBacking::Disk);
        EXPECT_TRUE(QFileInfo::exists(tapePath()));
    }
}

enum class BadFile { RandomBytes, Truncated, Folder, WrongSchema };

std::string badFileName(BadFile bad)
{
    const char *names[] = {"random_bytes", "truncated", "folder", "wrong_schema"};
    return names[int(bad)];
}

class BadFileTest : public TapeFixture, public ::testing::WithParamInterface<BadFile> {
};

TEST_P(BadFileTest, is_set_aside_with_its_companions_and_a_new_tape_starts)
{
    QDir().mkpath(path(QStringLiteral("data")));
    const QString tape = tapePath();
    switch (GetParam()) {
    case BadFile::RandomBytes: {
        QByteArray noise;
        for (int i = 0; i < 8192; ++i)
            noise += char((i * 7919 + 13) % 251);
        writeFile(tape, noise);
        break;
    }
    case BadFile::Truncated: {
        QStringList many;
        for (int i = 0; i < 3000; ++i)
            many << QStringLiteral("%1 + %1").arg(i);
        openStore().reset();
        bulkInsert(many);
        const QByteArray whole = readFile(tape);
        writeFile(tape, whole.left(whole.size() / 2));
        break;
    }
    case BadFile::Folder:
        QDir().mkpath(tape + QStringLiteral("/inside"));
        break;
    case BadFile::WrongSchema: {
        Connection other(tape);
        other.exec(QStringLiteral("CREATE TABLE notes(body TEXT)"));
        break;
    }
    }
    if (GetParam() != BadFile::Folder) {
        writeFile(tape + QStringLiteral("-wal"), "wal bytes");
        writeFile(tape + QStringLiteral("-shm"), "shm bytes");
    }
    const QByteArray before = readFile(tape);

    auto store = openStore();
    EXPECT_EQ(store->backing(), TapeBacking::Disk);
    EXPECT_EQ(store->fault(), TapeFault::BadFileKept);
    const QStringList kept = QDir(path(QStringLiteral("data")))
                                 .entryList({QStringLiteral("riwayat.sqlite.rusak-*")}, QDir::AllEntries);
    ASSERT_FALSE(kept.isEmpty());
    const QString keptPath = path(QStringLiteral("data/") + kept.first());
    EXPECT_TRUE(QFileInfo(keptPath).fileName().contains(QRegularExpression(
        QStringLiteral("^riwayat\\.sqlite\\.rusak-\\d{8}T\\d{6}Z$"))));
    EXPECT_EQ(store->notice(), TapeStore::noticeFor(TapeFault::BadFileKept, keptPath));
    EXPECT_TRUE(store->notice().contains(keptPath));
    if (GetParam() == BadFile::Folder) {
        EXPECT_TRUE(QFileInfo(keptPath + QStringLiteral("/inside")).isDir());
    } else {
        EXPECT_EQ(readFile(keptPath), before);
        EXPECT_EQ(readFile(keptPath + QStringLiteral("-wal")), QByteArray("wal bytes"));
        EXPECT_EQ(readFile(keptPath + QStringLiteral("-shm")), QByteArray("shm bytes"));
    }
    append(*store, {QStringLiteral("1 + 1")});
    EXPECT_EQ(texts(store->lastLines(5)), QStringList{QStringLiteral("1 + 1 = 1")});
}

INSTANTIATE_TEST_SUITE_P(Tape, BadFileTest,
                         ::testing::Values(BadFile::RandomBytes, BadFile::Truncated, BadFile::Folder,
                                           BadFile::WrongSchema),
                         [](const auto &info) { return badFileName(info.param); });

TEST_F(TapeStoreTest, a_newer_tape_is_left_untouched_and_this_run_stays_in_memory)
{
    QDir().mkpath(path(QStringLiteral("data")));
    {
        Connection newer(tapePath());
        newer.exec(QStringLiteral("CREATE TABLE line(id INTEGER PRIMARY KEY, future TEXT)"));
        newer.exec(QStringLiteral("PRAGMA user_version = 99"));
    }
    const QByteArray before = readFile(tapePath());
    {
        auto store = openStore();
        EXPECT_EQ(store->backing(), TapeBacking::Memory);
        EXPECT_EQ(store->fault(), TapeFault::NewerVersion);
        EXPECT_FALSE(store->notice().isEmpty());
        append(*store, {QStringLiteral("7 - 2")});
        EXPECT_EQ(texts(store->lastLines(5)), QStringList{QStringLiteral("7 - 2 = 1")});
        store->eraseKept();
        EXPECT_TRUE(store->waitForWrites(5000));
    }
    EXPECT_EQ(readFile(tapePath()), before);
    EXPECT_FALSE(QFileInfo::exists(tapePath() + QStringLiteral("-wal")));
}

// Mode bits don't stop root: as root the helper runs as the unprivileged
// user the desktop tests also use.
QStringList unprivileged()
{
    if (geteuid() != 0)
        return {};
    QProcess::execute(QStringLiteral("useradd"),
                      {QStringLiteral("--system"), QStringLiteral("--no-create-home"),
                       QStringLiteral("--home-dir"), QStringLiteral("/nonexistent"),
                       QStringLiteral("--shell"), QStringLiteral("/usr/sbin/nologin"),
                       QStringLiteral("hitungrama-wl")});
    QProcess id;
    id.start(QStringLiteral("id"), {QStringLiteral("-u"), QStringLiteral("hitungrama-wl")});
    if (!id.waitForFinished() || id.exitCode() != 0)
        return {QString()};
    const QString uid = QString::fromUtf8(id.readAllStandardOutput()).trimmed();
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=") + uid,
            QStringLiteral("--regid=") + uid, QStringLiteral("--clear-groups")};
}

TEST_F(TapeStoreTest, an_unwritable_folder_keeps_every_line_in_memory)
{
    const QStringList asUser = unprivileged();
    if (asUser == QStringList{QString()})
        GTEST_SKIP() << "no unprivileged user to run as";
    QFile::setPermissions(m_folder.path(), QFileInfo(m_folder.path()).permissions() | QFile::ReadOther
                                               | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    // A data folder that exists but is read-only, and a missing one that
    // can't be made.
    QDir().mkpath(path(QStringLiteral("data")));
    QFile::setPermissions(path(QStringLiteral("data")), readOnly);
    QDir().mkpath(path(QStringLiteral("locked")));
    QFile::setPermissions(path(QStringLiteral("locked")), readOnly);
    for (const QString &tape : {tapePath(), path(QStringLiteral("locked/data/riwayat.sqlite"))}) {
        const QStringList out = runHelper(tape, 5, QStringLiteral("x"), asUser);
        ASSERT_GE(out.size(), 2);
        EXPECT_EQ(out[0], QStringLiteral("5 %1 %2 5")
                              .arg(int(TapeBacking::Memory))
                              .arg(int(TapeFault::FolderUnwritable)))
            << tape.toStdString();
        EXPECT_TRUE(out[1].startsWith(QStringLiteral("Folder "))) << out[1].toStdString();
        EXPECT_FALSE(QFileInfo::exists(tape));
    }
}

TEST_F(TapeStoreTest, a_full_disk_moves_the_tape_to_memory_without_losing_a_line)
{
    TapeOptions small = options();
    small.maxPageCount = 40;
    auto store = openStore(small);
    ASSERT_EQ(store->backing(), TapeBacking::Disk);
    QStringList written;
    const QString wide(400, QLatin1Char('7'));
    for (int i = 0; i < 400 && store->backing() == TapeBacking::Disk; ++i) {
        written << QStringLiteral("%1 + %2").arg(wide).arg(i);
        append(*store, {written.last()});
    }
    EXPECT_EQ(store->backing(), TapeBacking::Memory);
    EXPECT_EQ(store->fault(), TapeFault::DiskFull);
    append(*store, {QStringLiteral("after")});
    written << QStringLiteral("after");
    EXPECT_EQ(store->lineCount(), written.size());
    QStringList expected;
    for (const QString &expression : written)
        expected << expression + QStringLiteral(" = 1");
    EXPECT_EQ(texts(store->lastLines(int(written.size()))), expected);

    // Full already when opening: nothing fits.
    store.reset();
    QFile::remove(tapePath());
    small.maxPageCount = 1;
    store = openStore(small);
    EXPECT_EQ(store->backing(), TapeBacking::Memory);
    EXPECT_EQ(store->fault(), TapeFault::DiskFull);
}

TEST_F(TapeStoreTest, a_lock_held_past_the_busy_timeout_moves_the_tape_to_memory)
{
    auto store = openStore();
    append(*store, {QStringLiteral("before")});
    Connection other(tapePath());
    other.exec(QStringLiteral("BEGIN IMMEDIATE"));
    store->append(line(QStringLiteral("while locked")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(store->waitForWrites(20000));
    EXPECT_GE(clock.elapsed(), 4900);
    other.exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(store->backing(), TapeBacking::Memory);
    EXPECT_EQ(store->fault(), TapeFault::Locked);
    EXPECT_EQ(store->notice(), TapeStore::noticeFor(TapeFault::Locked, QString()));
    EXPECT_EQ(texts(store->lastLines(5)),
              (QStringList{QStringLiteral("before = 1"), QStringLiteral("while locked = 1")}));
}

TEST_F(TapeStoreTest, two_programs_appending_at_once_lose_and_double_nothing)
{
    QDir().mkpath(path(QStringLiteral("data")));
    QProcess first;
    QProcess second;
    const QString settings = path(QStringLiteral("settings.ini"));
    for (auto [process, tag] : {std::pair{&first, "a"}, std::pair{&second, "b"}}) {
        process->start(QStringLiteral(TAPE_HELPER),
                       {tapePath(), settings, QStringLiteral("300"), QLatin1String(tag)});
    }
    for (QProcess *process : {&first, &second}) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_TRUE(process->readAllStandardOutput().startsWith("300 1 0 "));
    }
    Connection check(tapePath());
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(*) FROM line")), 600);
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(DISTINCT expression) FROM line")), 600);
    // The text index is in step: "a 1" is in a 1, a 10 to a 19, a 100 to a 199.
    EXPECT_EQ(check.value(QStringLiteral("SELECT count(*) FROM line_text WHERE line_text MATCH '\"a 1\"'")),
              111);
}

enum class Deletion { OneLine, All, KeptAfterKeepingOff };

std::string deletionName(Deletion deletion)
{
    const char *names[] = {"one_line", "all", "kept_after_keeping_off"};
    return names[int(deletion)];
}

class DeletionTest : public TapeFixture, public ::testing::WithParamInterface<Deletion> {
};

// "QJXV" is the only text with these letters: neither it nor its trigrams
// (folded to lower case, each stored whole in the index as none shares a
// first letter with its neighbour) may be left in the file or its WAL.
TEST_P(DeletionTest, leaves_no_trace_of_the_text_in_the_file)
{
    auto store = openStore();
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << QStringLiteral("%1 * %2").arg(i).arg(i % 7);
    append(*store, many);
    QSignalSpy committed(store.get(), &TapeStore::lineCommitted);
    append(*store, {QStringLiteral("QJXV")});
    append(*store, many);
    const QByteArray before = fileBytes(tapePath());
    ASSERT_TRUE(before.contains("QJXV") && before.contains("qjx") && before.contains("jxv"));

    switch (GetParam()) {
    case Deletion::OneLine:
        store->remove({committed.first().first().value<TapeLine>().id});
        break;
    case Deletion::All:
        store->removeAll();
        break;
    case Deletion::KeptAfterKeepingOff:
        store->setKeeping(false);
        store->eraseKept();
        break;
    }
    EXPECT_TRUE(store->waitForWrites(20000));
    const QByteArray bytes = fileBytes(tapePath());
    EXPECT_FALSE(bytes.contains("QJXV"));
    EXPECT_FALSE(bytes.contains("qjx"));
    EXPECT_FALSE(bytes.contains("jxv"));
    EXPECT_EQ(store->lineCount(), GetParam() == Deletion::OneLine ? 1000 : GetParam() == Deletion::All ? 0 : 1001);
}

INSTANTIATE_TEST_SUITE_P(Tape, DeletionTest,
                         ::testing::Values(Deletion::OneLine, Deletion::All, Deletion::KeptAfterKeepingOff),
                         [](const auto &info) { return deletionName(info.param); });

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
    EXPECT_EQ(texts(other->lastLines(5)), (QStringList{QStringLiteral("kept = 1"), QStringLiteral("not kept = 1")}));
    Connection disk(tapePath());
    EXPECT_EQ(disk.value(QStringLiteral("SELECT count(*) FROM line")), 1);

    mine->setKeeping(true);
    append(*other, {QStringLiteral("kept again")});
    EXPECT_EQ(other->backing(), TapeBacking::Disk);
    EXPECT_EQ(disk.value(QStringLiteral("SELECT count(*) FROM line")), 2);
}

} // namespace
} // namespace hitungrama
