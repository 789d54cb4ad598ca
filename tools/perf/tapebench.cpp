// Timings and memory of the tape at scale, for run_benchmarks.py, which runs
// each measure on the big tape and on its floor in the same run:
//
//   hitungrama-tapebench --measure open|search|rss --tape FILE
//       the tape window's model opening (first page), each search key, and
//       the resident memory the store and model add; the floor is an empty
//       tape.
//   hitungrama-tapebench --measure append|bare --tape FILE
//       one committed line through the writer (synchronous=FULL), on a copy
//       of FILE; "bare" is the floor: a plain SQLite insert of one row in
//       its own transaction with the same settings, beside it.
//
// Prints one JSON object.

#include "tape/tapedatabase.h"
#include "tape/tapemodel.h"
#include "tape/tapestore.h"
#include "tape/tapewriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace hitungrama;

namespace {

double percentile(QList<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[qMin(values.size() - 1, qsizetype(fraction * double(values.size())))];
}

double residentKib()
{
    long size = 0;
    long resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1024.0;
}

double elapsedMs(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

std::unique_ptr<TapeStore> openStore(const QString &tape, const QTemporaryDir &scratch)
{
    auto store = std::make_unique<TapeStore>(TapeOptions(scratch.filePath(QStringLiteral("settings.ini"))));
    store->open(tape);
    store->waitForWrites(60000);
    return store;
}

// What the window does when it first shows: the model's first page.
QJsonObject measureOpen(const QString &tape, const QTemporaryDir &scratch)
{
    QList<double> times;
    for (int i = 0; i < 15; ++i) {
        auto store = openStore(tape, scratch);
        QElapsedTimer clock;
        clock.start();
        TapeModel model(*store);
        if (model.rowCount() == 0 && store->lineCount() > 0)
            qFatal("the model opened empty");
        times << elapsedMs(clock);
    }
    return {{QStringLiteral("median_ms"), percentile(times, 0.5)}};
}

// Typing a search key by key: the time each key holds the GUI thread (the
// first answer), the slowest key, and the time until a page is full.
QJsonObject measureSearch(const QString &tape, const QTemporaryDir &scratch)
{
    const QStringList keys = {QStringLiteral("1"),        QStringLiteral("12"),     QStringLiteral("12 "),
                              QStringLiteral("12 +"),     QStringLiteral("12 + 3"), QStringLiteral("9"),
                              QStringLiteral("99"),       QStringLiteral("999"),    QStringLiteral("Ti"),
                              QStringLiteral("Tidak"),    QStringLiteral("#"),      QStringLiteral("#@"),
                              QStringLiteral("0 + 0 * 0")};
    auto store = openStore(tape, scratch);
    TapeModel model(*store);
    double slowestKey = 0;
    double slowestFilled = 0;
    QJsonObject perKey;
    for (int round = 0; round < 3; ++round) {
        for (const QString &key : keys) {
            QElapsedTimer clock;
            clock.start();
            model.setSearch(key);
            const double answered = elapsedMs(clock);
            if (!QTest::qWaitFor([&] { return !model.isLoading(); }, 60000))
                qFatal("the search did not end");
            const double filled = elapsedMs(clock);
            slowestKey = std::max(slowestKey, answered);
            slowestFilled = std::max(slowestFilled, filled);
            if (round == 2)
                perKey.insert(key, answered);
            model.setSearch(QString());
        }
    }
    return {{QStringLiteral("slowest_key_ms"), slowestKey},
            {QStringLiteral("slowest_page_ms"), slowestFilled},
            {QStringLiteral("keys_ms"), perKey}};
}

// Resident memory the store and the model add, with a search and ten older
// pages loaded.
QJsonObject measureRss(const QString &tape, const QTemporaryDir &scratch)
{
    const double before = residentKib();
    auto store = openStore(tape, scratch);
    TapeModel model(*store);
    for (int i = 0; i < 10; ++i)
        model.fetchOlder();
    model.setSearch(QStringLiteral("12"));
    if (!QTest::qWaitFor([&] { return !model.isLoading(); }, 60000))
        qFatal("the search did not end");
    model.setSearch(QString());
    return {{QStringLiteral("growth_kib"), residentKib() - before}};
}

QList<double> timeAppends(const std::function<void(int)> &append)
{
    QList<double> times;
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer clock;
        clock.start();
        append(i);
        if (i >= 20) // the first ones warm the caches
            times << elapsedMs(clock);
    }
    return times;
}

QJsonObject measureAppend(const QString &tape, const QTemporaryDir &scratch)
{
    const QString copy = scratch.filePath(QStringLiteral("append.sqlite"));
    if (!QFile::copy(tape, copy))
        qFatal("cannot copy the tape");
    TapeWriter writer(TapeOptions(scratch.filePath(QStringLiteral("settings.ini"))));
    writer.open(copy);
    if (writer.backing() != TapeBacking::Disk)
        qFatal("the copy did not open on disk");
    const QList<double> times = timeAppends([&writer](int i) {
        TapeLine line;
        line.time = QDateTime::currentDateTimeUtc();
        line.expression = QStringLiteral("%1 + 3 * 4").arg(i);
        line.result = QString::number((i + 3) * 4);
        writer.append(line);
    });
    return {{QStringLiteral("median_ms"), percentile(times, 0.5)},
            {QStringLiteral("p99_ms"), percentile(times, 0.99)}};
}

QJsonObject measureBare(const QTemporaryDir &scratch)
{
    const QString name = QStringLiteral("bare");
    TapeDatabase::connect(name, scratch.filePath(QStringLiteral("bare.sqlite")),
                          TapeDatabase::Access::ReadWrite, 5000);
    QList<double> times;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        TapeDatabase::configureWriter(db, true, 0);
        TapeDatabase::exec(db, QStringLiteral("CREATE TABLE bare(id INTEGER PRIMARY KEY, text TEXT)"));
        times = timeAppends([&db](int i) {
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("INSERT INTO bare(text) VALUES (?)"));
            insert.addBindValue(QStringLiteral("%1 + 3 * 4 = %2").arg(i).arg((i + 3) * 4));
            insert.exec();
        });
    }
    TapeDatabase::disconnect(name);
    return {{QStringLiteral("median_ms"), percentile(times, 0.5)},
            {QStringLiteral("p99_ms"), percentile(times, 0.99)}};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the tape at scale."));
    parser.addHelpOption();
    const QCommandLineOption measureOption(QStringLiteral("measure"),
                                           QStringLiteral("open, search, rss, append or bare."),
                                           QStringLiteral("WHAT"));
    const QCommandLineOption tapeOption(QStringLiteral("tape"), QStringLiteral("The tape file."),
                                        QStringLiteral("FILE"));
    parser.addOption(measureOption);
    parser.addOption(tapeOption);
    parser.process(app);
    const QString measure = parser.value(measureOption);
    const QString tape = parser.value(tapeOption);
    QTemporaryDir scratch;
    QJsonObject result;
    if (measure == QLatin1String("open"))
        result = measureOpen(tape, scratch);
    else if (measure == QLatin1String("search"))
        result = measureSearch(tape, scratch);
    else if (measure == QLatin1String("rss"))
        result = measureRss(tape, scratch);
    else if (measure == QLatin1String("append"))
        result = measureAppend(tape, scratch);
    else if (measure == QLatin1String("bare"))
        result = measureBare(scratch);
    else
        parser.showHelp(2);
    std::puts(QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return 0;
}
