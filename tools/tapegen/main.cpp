// hitungrama-tapegen: makes a tape file of many lines, fast, through the
// tape's own schema and insert code (so the file is what the program would
// have written), in transactions of 10,000 lines.
//
//   hitungrama-tapegen --lines 1000000 [--seed N] FILE
//
// The lines mix what a tape holds: chains of the four operators, powers and
// mod, functions over chains, binary conversions and messages. Their times
// run one a second up to now. An existing FILE is refused.

#include "tape/tapedatabase.h"
#include "tape/tapeschema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

using namespace hitungrama;

namespace {

TapeLine makeLine(QRandomGenerator &random, const QDateTime &time)
{
    const auto number = [&random] { return qint64(random.bounded(1, 100000)); };
    TapeLine line;
    line.time = time;
    switch (random.bounded(10)) {
    case 0: {
        const qint64 a = number();
        line.expression = QStringLiteral("sin(%1 + %2)").arg(a).arg(number());
        line.result = QString::number(std::sin(double(a)), 'g', 15);
        break;
    }
    case 1: {
        const int a = random.bounded(256);
        line.expression = QStringLiteral("BIN(%1)").arg(a);
        line.result = QStringLiteral("%1").arg(a, 8, 2, QLatin1Char('0'));
        line.binary = true;
        break;
    }
    case 2:
        line.expression = QStringLiteral("%1 / 0").arg(number());
        line.result = QStringLiteral("Tidak ada pembagian dengan nol");
        break;
    case 3: {
        const qint64 a = number();
        const qint64 b = random.bounded(1, 97);
        line.expression = QStringLiteral("%1 mod %2").arg(a).arg(b);
        line.result = QString::number(a % b);
        break;
    }
    default: {
        // A chain of two to five operands, worked left to right.
        qint64 value = number();
        line.expression = QString::number(value);
        const int operands = random.bounded(2, 6);
        for (int i = 1; i < operands; ++i) {
            const qint64 b = number();
            switch (random.bounded(3)) {
            case 0:
                line.expression += QStringLiteral(" + %1").arg(b);
                value += b;
                break;
            case 1:
                line.expression += QStringLiteral(" - %1").arg(b);
                value -= b;
                break;
            default:
                line.expression += QStringLiteral(" * %1").arg(b % 100);
                value *= b % 100;
                break;
            }
        }
        line.result = QString::number(value);
        break;
    }
    }
    return line;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Makes a tape file of many lines."));
    parser.addHelpOption();
    const QCommandLineOption linesOption(QStringLiteral("lines"), QStringLiteral("How many lines."),
                                         QStringLiteral("N"), QStringLiteral("1000000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                        QStringLiteral("N"), QStringLiteral("1"));
    parser.addOption(linesOption);
    parser.addOption(seedOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The tape file to make."));
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }
    const QString path = parser.positionalArguments().first();
    if (QFileInfo::exists(path)) {
        err << path << " exists already\n";
        return 1;
    }
    const qint64 count = parser.value(linesOption).toLongLong();
    QRandomGenerator random(parser.value(seedOption).toUInt());

    const QString name = QStringLiteral("tapegen");
    QSqlError error = TapeDatabase::connect(name, path, TapeDatabase::Access::ReadWrite, 5000);
    QElapsedTimer clock;
    clock.start();
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (!error.isValid())
            error = TapeDatabase::configureWriter(db, true, 0);
        if (!error.isValid())
            error = TapeSchema::migrate(db);
        // One sync a batch is enough for a file that is made from scratch.
        if (!error.isValid())
            error = TapeDatabase::exec(db, QStringLiteral("PRAGMA synchronous = OFF"));
        const QDateTime start = QDateTime::currentDateTimeUtc().addSecs(-count);
        constexpr qint64 batch = 10000;
        for (qint64 done = 0; done < count && !error.isValid(); done += batch) {
            QList<TapeLine> lines;
            for (qint64 i = done; i < std::min(count, done + batch); ++i)
                lines << makeLine(random, start.addSecs(i));
            error = TapeDatabase::insert(db, lines);
        }
        if (!error.isValid())
            error = TapeDatabase::exec(db, QStringLiteral("INSERT INTO line_text(line_text) VALUES ('optimize')"));
        if (!error.isValid())
            error = TapeDatabase::exec(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    TapeDatabase::disconnect(name);
    if (error.isValid()) {
        err << "cannot make " << path << ": " << error.text() << '\n';
        return 1;
    }
    QTextStream(stdout) << count << " lines in " << clock.elapsed() << " ms, "
                        << QFileInfo(path).size() << " bytes\n";
    return 0;
}
