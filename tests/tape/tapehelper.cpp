// A second program on a tape, for the tests: tape_helper TAPE SETTINGS COUNT
// TAG appends COUNT lines "TAG i = i", waits until they are written and
// prints "committed backing fault lines" and the notice, each on a line.

#include "tape/tapestore.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace hitungrama;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        QTextStream(stderr) << "usage: tape_helper TAPE SETTINGS COUNT TAG\n";
        return 2;
    }
    TapeStore store{TapeOptions(args[2])};
    int committed = 0;
    QObject::connect(&store, &TapeStore::lineCommitted, [&committed] { ++committed; });
    store.open(args[1]);
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        TapeLine line;
        line.expression = args[4] + QLatin1Char(' ') + QString::number(i);
        line.result = QString::number(i);
        store.append(line);
    }
    if (!store.waitForWrites(120000))
        return 1;
    QTextStream(stdout) << committed << ' ' << int(store.backing()) << ' ' << int(store.fault()) << ' '
                        << store.lineCount() << '\n'
                        << store.notice() << '\n';
    return 0;
}
