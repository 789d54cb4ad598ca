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

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer holds freed memory back (256 MB by default) and returns
// it in large batches, each taking 80 to 250 ms of processor time at some
// random action: far above the time limit, and nothing to do with the
// window. A 16 MB hold still catches a use of memory freed shortly before,
// which is where a fault of one action shows. ASAN_OPTIONS in the
// environment overrides this.
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16";
}
#endif

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
