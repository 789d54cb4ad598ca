// What lies at and beside the tape file before SQLite opens it: links, a
// rollback journal of another database, the tape's own WAL after a crash,
// the application id, a mode that forbids reading.
#include "tapefixture.h"

#include "tape/tapeschema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace hitungrama {
namespace {

using TapeFileTest = TapeFixture;

constexpr QFile::Permissions readableByAll =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

// The entries of the tape's folder set aside under `name`.
QStringList keptAs(const QString &folder, const QString &name)
{
    return QDir(folder).entryList({name + QStringLiteral(".rusak-*")}, QDir::AllEntries | QDir::System);
}

TEST_F(TapeFileTest, a_link_at_the_tape_or_its_companions_is_set_aside_never_followed)
{
    const QString data = path(QStringLiteral("data"));
    const QString target = path(QStringLiteral("elsewhere"));
    const struct {
        const char *suffix;
        TapeFault fault;
        QStringList lines;
    } cases[] = {
        {"", TapeFault::BadFileKept, {QStringLiteral("new")}},
        {"-wal", TapeFault::None, {QStringLiteral("kept"), QStringLiteral("new")}},
        {"-shm", TapeFault::None, {QStringLiteral("kept"), QStringLiteral("new")}},
    };
    for (const auto &row : cases) {
        const QString link = tapePath() + QLatin1String(row.suffix);
        SCOPED_TRACE(link.toStdString());
        QDir(data).removeRecursively();
        if (row.fault == TapeFault::None)
            append(*openStore(), {QStringLiteral("kept")});
        QDir().mkpath(data);
        QFile::remove(target);
        QFile(target).open(QIODevice::WriteOnly);
        QFile::setPermissions(target, readableByAll);
        ASSERT_TRUE(QFile::link(target, link));

        auto store = openStore();
        append(*store, {QStringLiteral("new")});
        EXPECT_EQ(store->backing(), TapeBacking::Disk);
        EXPECT_EQ(store->fault(), row.fault);
        EXPECT_EQ(texts(store->lastLines(5)), asLines(row.lines));
        EXPECT_EQ(QFileInfo(target).size(), 0);
        EXPECT_EQ(QFileInfo(target).permissions() & 0x7077, readableByAll);
        const QStringList kept = keptAs(data, QFileInfo(link).fileName());
        EXPECT_EQ(kept.size(), 1);
        EXPECT_EQ(QFileInfo(data + QLatin1Char('/') + kept.value(0)).symLinkTarget(), target);
    }
    // A linked folder is where the user moved the data: followed.
    QDir(data).removeRecursively();
    QDir().mkpath(path(QStringLiteral("moved")));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("moved")), data));
    auto store = openStore();
    append(*store, {QStringLiteral("moved")});
    EXPECT_EQ(store->fault(), TapeFault::None);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("moved/riwayat.sqlite"))).isFile());
}

// Another database's hot journal: copied from the middle of a transaction
// that changed its schema (page 1) and its rows. Without sync its header
// counts no records, so a rollback plays every page it holds.
TEST_F(TapeFileTest, a_stray_rollback_journal_is_set_aside_and_the_tape_kept)
{
    append(*openStore(), {QStringLiteral("1 + 1"), QStringLiteral("2 + 2")});
    // Every page in the file itself, where a rollback would overwrite it.
    Connection(tapePath()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const QString other = path(QStringLiteral("other.sqlite"));
    {
        Connection db(other);
        db.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        db.exec(QStringLiteral("CREATE TABLE notes(body BLOB)"));
        db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50)"
                               " INSERT INTO notes SELECT randomblob(2000) FROM n"));
        db.exec(QStringLiteral("BEGIN"));
        db.exec(QStringLiteral("CREATE TABLE more(body BLOB)"));
        db.exec(QStringLiteral("UPDATE notes SET body = randomblob(2000)"));
        ASSERT_TRUE(QFile::copy(other + QStringLiteral("-journal"), tapePath() + QStringLiteral("-journal")));
        db.exec(QStringLiteral("ROLLBACK"));
    }
    const QByteArray journal = fileBytes(tapePath() + QStringLiteral("-journal"));
    ASSERT_GT(journal.size(), 4096);

    auto store = openStore();
    EXPECT_EQ(store->backing(), TapeBacking::Disk);
    EXPECT_EQ(store->fault(), TapeFault::None);
    EXPECT_EQ(texts(store->lastLines(5)), asLines({QStringLiteral("1 + 1"), QStringLiteral("2 + 2")}));
    const QStringList kept = keptAs(path(QStringLiteral("data")), QStringLiteral("riwayat.sqlite-journal"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(fileBytes(path(QStringLiteral("data/") + kept.first())), journal);
}

// A crash leaves committed lines in the WAL alone: SQLite recovers them.
TEST_F(TapeFileTest, lines_committed_before_a_crash_come_back_from_the_wal)
{
    auto store = openStore();
    append(*store, {QStringLiteral("1 + 1"), QStringLiteral("2 + 2")});
    // The files as a crash leaves them: copied while the store holds them.
    QDir().mkpath(path(QStringLiteral("crash")));
    const QString crashed = path(QStringLiteral("crash/riwayat.sqlite"));
    for (const QString &suffix : {QString(), QStringLiteral("-wal")})
        ASSERT_TRUE(QFile::copy(tapePath() + suffix, crashed + suffix));
    ASSERT_GT(QFileInfo(crashed + QStringLiteral("-wal")).size(), 0);
    store.reset();

    TapeStore reopened(options());
    reopened.open(crashed);
    EXPECT_EQ(texts(reopened.lastLines(5)), asLines({QStringLiteral("1 + 1"), QStringLiteral("2 + 2")}));
    EXPECT_EQ(reopened.backing(), TapeBacking::Disk);
    EXPECT_EQ(reopened.fault(), TapeFault::None);
}

// Tapes of earlier versions of the program have no application id: they
// are kept, and marked.
TEST_F(TapeFileTest, a_tape_gets_the_application_id_and_one_without_it_is_still_ours)
{
    append(*openStore(), {QStringLiteral("3 * 3")});
    EXPECT_EQ(Connection(tapePath()).value(QStringLiteral("PRAGMA application_id")), TapeSchema::applicationId);
    Connection(tapePath()).exec(QStringLiteral("PRAGMA application_id = 0"));

    auto store = openStore();
    EXPECT_EQ(store->fault(), TapeFault::None);
    EXPECT_EQ(texts(store->lastLines(5)), asLines({QStringLiteral("3 * 3")}));
    EXPECT_EQ(Connection(tapePath()).value(QStringLiteral("PRAGMA application_id")), TapeSchema::applicationId);
}

TEST_F(TapeFileTest, an_unreadable_tape_is_left_as_it_is_and_the_notice_says_why)
{
    append(*openStore(), {QStringLiteral("kept")});
    const QStringList asUser = asNobody();
    if (!asUser.isEmpty()) {
        for (const QString &name : {path(QStringLiteral("data")), tapePath()})
            ASSERT_EQ(::chown(QFile::encodeName(name).constData(), 65534, 65534), 0);
    }
    const QByteArray before = fileBytes(tapePath());
    QFile::setPermissions(tapePath(), {});

    const QStringList out = helperOutput(*startHelper(tapePath(), 2, QStringLiteral("x"), asUser));
    ASSERT_GE(out.size(), 2);
    EXPECT_EQ(out[0], QStringLiteral("2 %1 %2 2").arg(int(TapeBacking::Memory)).arg(int(TapeFault::FileUnreadable)));
    EXPECT_EQ(out[1], TapeStore::noticeFor(TapeFault::FileUnreadable, tapePath()));
    EXPECT_EQ(QFileInfo(tapePath()).permissions() & 0x7077, QFile::Permissions());
    EXPECT_EQ(fileBytes(tapePath()), before);
}

} // namespace
} // namespace hitungrama
