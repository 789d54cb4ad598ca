// hitungrama-monkey: random actions on the real window with a check after
// each; see Monkey.
#include "messagecatcher.h"
#include "monkey.h"
#include "monkeyoptions.h"

#include "window/fontsetup.h"
#include "window/layoutloader.h"

#include <QApplication>
#include <QLocale>

#include <clocale>
#include <cstdio>

int main(int argc, char *argv[])
{
    using namespace hitungrama;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    MessageCatcher::install();
    QApplication app(argc, argv);
    // QApplication took the locale from the environment; numbers must not.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName(QStringLiteral("Hitungrama"));

    const MonkeyOptions options = MonkeyOptions::parse(QApplication::arguments().mid(1));
    if (options.help) {
        std::fputs(qPrintable(MonkeyOptions::usage()), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "hitungrama-monkey: %s\n%s", qPrintable(options.error),
                     qPrintable(MonkeyOptions::usage()));
        return 2;
    }

    const LayoutLoader::Result &layout = LayoutLoader::builtIn();
    if (!layout.ok()) {
        std::fprintf(stderr, "hitungrama-monkey: the window layout is damaged: %s\n",
                     qPrintable(layout.error));
        return 1;
    }
    FontSetup::install();

    int code = 0;
    {
        Monkey monkey(layout.layout, options);
        code = monkey.run();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return code;
}
