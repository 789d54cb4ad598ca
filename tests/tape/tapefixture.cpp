#include "tapefixture.h"

#include "tape/tapedatabase.h"

#include <QFile>
#include <QProcess>

namespace hitungrama {

TapeOptions TapeFixture::options() const
{
    TapeOptions options;
    options.settingsFile = path(QStringLiteral("settings.ini"));
    return options;
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
    const QString name = QStringLiteral("bulk");
    ASSERT_FALSE(TapeDatabase::connect(name, tapePath(), TapeDatabase::Access::ReadWrite, 1000).isValid());
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        QList<TapeLine> lines;
        for (const QString &expression : expressions)
            lines << line(expression);
        EXPECT_FALSE(TapeDatabase::insert(db, lines).isValid());
    }
    TapeDatabase::disconnect(name);
}

TapeLine TapeFixture::line(const QString &expression, const QString &result)
{
    TapeLine line;
    line.expression = expression;
    line.result = result;
    return line;
}

QStringList TapeFixture::texts(const QList<TapeLine> &lines)
{
    QStringList texts;
    for (const TapeLine &line : lines)
        texts << line.text();
    return texts;
}

QByteArray TapeFixture::fileBytes(const QString &tape)
{
    QByteArray bytes;
    for (const QString &name : {tape, tape + QStringLiteral("-wal")}) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly))
            bytes += file.readAll();
    }
    return bytes;
}

QStringList TapeFixture::runHelper(const QString &tape, int count, const QString &tag,
                                   const QStringList &asUser) const
{
    QProcess helper;
    QStringList arguments = asUser;
    arguments << QStringLiteral(TAPE_HELPER) << tape << path(QStringLiteral("settings.ini"))
              << QString::number(count) << tag;
    helper.start(arguments.takeFirst(), arguments);
    if (!helper.waitForFinished(120000) || helper.exitCode() != 0) {
        ADD_FAILURE() << "the helper failed: " << helper.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(helper.readAllStandardOutput()).split(QLatin1Char('\n'));
}

} // namespace hitungrama
