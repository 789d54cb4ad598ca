#include "window/fontsetup.h"
#include "window/form1.h"
#include "window/layoutloader.h"
#include "window/qtmessageboxservice.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hitungrama"));

    const hitungrama::LayoutLoader::Result &layout = hitungrama::LayoutLoader::builtIn();
    if (!layout.ok()) {
        std::fprintf(stderr, "hitungrama: the window layout is damaged: %s\n",
                     qPrintable(layout.error));
        return 1;
    }
    hitungrama::FontSetup::install();

    hitungrama::QtMessageBoxService boxes;
    hitungrama::Form1 form(layout.layout, boxes);
    // "OFF" answered Yes ends the program at once, without closing events.
    QObject::connect(&form, &hitungrama::Form1::exitRequested, &app,
                     [] { QCoreApplication::exit(0); });
    form.centreOnScreen();
    form.show();
    return QApplication::exec();
}
