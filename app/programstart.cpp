#include "app/programstart.h"

#include "accessibility/accessiblewindows.h"
#include "app/fontsetup.h"
#include "form/form1.h"
#include "i18n/languagesetup.h"
#include "layout/layoutloader.h"
#include "app/terminationsignals.h"
#include "tape/tapestore.h"

#include <QApplication>
#include <QByteArray>
#include <QWindow>

#include <cstdio>

namespace hitungrama::ProgramStart {

void ignoreRelativeBaseFolders()
{
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty() && !value.startsWith('/'))
            qunsetenv(name);
    }
}

std::unique_ptr<Form1> createWindow(const char *programName, MessageBoxService &boxes)
{
    ignoreRelativeBaseFolders();
    QApplication::setApplicationName(QStringLiteral("Hitungrama"));
    // A catalogue could name a right-to-left direction; the windows are drawn
    // for left to right only. Set once, the direction no longer follows the
    // catalogues.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    if (!LanguageSetup::installed())
        LanguageSetup::install(LanguageSetup::forDesktop());
    const LayoutLoader::Result &layout = LayoutLoader::builtIn();
    if (!layout.ok()) {
        std::fprintf(stderr, "%s: the window layout is damaged: %s\n", programName,
                     qPrintable(layout.error));
        return nullptr;
    }
    FontSetup::install();
    AccessibleWindows::install();
    return std::make_unique<Form1>(layout.layout, boxes);
}

void show(Form1 &window)
{
    window.centreOnScreen();
    window.show();
}

int run(Form1 &window)
{
    QObject::connect(&window, &Form1::exitRequested, qApp, [] { QCoreApplication::exit(0); });
    TerminationSignals::quitOnTermination();
    show(window);
    // Closing the window ends the program even while another window of it
    // is open, which would keep the loop running past the last-window rule.
    QObject::connect(window.windowHandle(), &QWindow::visibleChanged, qApp, [](bool visible) {
        if (!visible)
            QCoreApplication::exit(0);
    });
    const int code = QApplication::exec();
    // Lines still queued reach the tape before the program ends (after one
    // of the writer's lock waits at the most, when another program holds it).
    // A run that never used its tape leaves it unopened.
    if (window.isTapeLoaded() && !window.tape()->isOpenPending())
        window.tape()->waitForWrites(kExitFlushMs);
    return code;
}

} // namespace hitungrama::ProgramStart
