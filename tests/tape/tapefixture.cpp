#include "tapefixture.h"

#include "tape/tapedatabase.h"

#include <QFile>
#include <QSqlQuery>

#include <unistd.h>

namespace hitungrama {

TapeFixture::Connection::Connection(const QString &file)
{
    EXPECT_FALSE(TapeDatabase::connect(m_name, file, TapeDatabase::Access::ReadWrite, 1000).isValid());
}

TapeFixture::Connection::~Connection()
{
    TapeDatabase::disconnect(m_name);
}

void TapeFixture::Connection::exec(const QString &sql) const
{
    QSqlDatabase handle = db();
    const QSqlError error = TapeDatabase::exec(handle, sql);
    EXPECT_FALSE(error.isValid()) << error.text().toStdString();
}

qint64 TapeFixture::Connection::value(const QString &sql) const
{
    QSqlQuery query(db());
    return query.exec(sql) && query.next() ? query.value(0).toLongLong() : -1;
}

TapeOptions TapeFixture::options() const
{
    return TapeOptions(path(QStringLiteral("settings.ini")));
}

std::unique_ptr<TapeStore> TapeFixture::openStore(const TapeOptions &options)
{
    auto store = std::make_unique<TapeStore>(options);
    store->open(tapePath());
    EXPECT_TRUE(store->waitForWrites(20000));
    return store;
}

void TapeFixture::append(TapeStore &store, const QStringList &expressions)
{
    for (const QString &expression : expressions)
        store.append(line(expression));
    EXPECT_TRUE(store.waitForWrites(20000));
}

void TapeFixture::bulkInsert(const QStringList &expressions) const
{
    QList<TapeLine> lines;
    for (const QString &expression : expressions)
        lines << line(expression);
    Connection bulk(tapePath());
    QSqlDatabase db = bulk.db();
    EXPECT_FALSE(TapeDatabase::insert(db, lines).isValid());
}

QStringList TapeFixture::texts(const QList<TapeLine> &lines)
{
    QStringList texts;
    for (const TapeLine &line : lines)
        texts << line.text();
    return texts;
}

QStringList TapeFixture::numbers(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QString::number(i);
    return list;
}

QStringList TapeFixture::asLines(const QStringList &expressions)
{
    QStringList texts;
    for (const QString &expression : expressions)
        texts << expression + QStringLiteral(" = 1");
    return texts;
}

QByteArray TapeFixture::fileBytes(const QString &tape)
{
    QByteArray bytes;
    for (const QString &name : {tape, tape + QStringLiteral("-wal"), tape + QStringLiteral("-shm")}) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly))
            bytes += file.readAll();
    }
    return bytes;
}

std::unique_ptr<QProcess> TapeFixture::startHelper(const QString &tape, int count, const QString &tag,
                                                   const QStringList &asUser) const
{
    auto helper = std::make_unique<QProcess>();
    QStringList arguments = asUser;
    arguments << QStringLiteral(TAPE_HELPER) << tape << path(QStringLiteral("settings.ini"))
              << QString::number(count) << tag;
    helper->start(arguments.takeFirst(), arguments);
    return helper;
}

QStringList TapeFixture::asNobody() const
{
    if (geteuid() != 0)
        return {};
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                              | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                              | QFile::ExeOther);
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
            QStringLiteral("--clear-groups")};
}

QStringList TapeFixture::helperOutput(QProcess &helper)
{
    if (!helper.waitForFinished(120000) || helper.exitCode() != 0) {
        ADD_FAILURE() << "the helper failed: " << helper.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(helper.readAllStandardOutput()).split(QLatin1Char('\n'));
}

} // namespace hitungrama
