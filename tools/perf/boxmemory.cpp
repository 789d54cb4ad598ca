// Memory per message box: opens and closes real boxes on a real display and
// reports how much resident and heap memory each box leaves behind after a
// warm-up.
//
// The calculator's boxes are opened through its own path: the ABOUT button is
// pressed, its Click opens the box through QtMessageBoxService,
// and a timer closes the box with Escape once it is on the screen. With
// --plain the same QMessageBox is shown from a bare window instead, which is
// the floor to compare with.
//
// Prints one JSON object: {"boxes": N, "rss_kib_per_box": ..., "heap_kib_per_box": ...}.

#include "harness/temporaryhome.h"
#include "layout/controlnames.h"
#include "app/fontsetup.h"
#include "form/form1.h"
#include "layout/layoutloader.h"
#include "boxes/qtmessageboxservice.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

struct Sample {
    double rssKib = 0;
    double heapKib = 0;
};

Sample sample()
{
    Sample s;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        long size = 0;
        long resident = 0;
        if (std::fscanf(statm, "%ld %ld", &size, &resident) == 2)
            s.rssKib = double(resident) * double(sysconf(_SC_PAGESIZE)) / 1024.0;
        std::fclose(statm);
    }
    const struct mallinfo2 info = mallinfo2();
    s.heapKib = double(info.uordblks + info.hblkhd) / 1024.0;
    return s;
}

void sendKey(QWidget *target, QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Closes the next box with Escape as soon as the box is exposed on the display.
void closeNextBoxWhenShown(int &closed)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &closed] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || !box->windowHandle() || !box->windowHandle()->isExposed())
            return;
        poll->deleteLater();
        sendKey(box, QEvent::KeyPress, Qt::Key_Escape);
        ++closed;
    });
    poll->start();
}

} // namespace

int main(int argc, char *argv[])
{
    const hitungrama::TemporaryHome home;
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Memory left behind per message box."));
    parser.addHelpOption();
    const QCommandLineOption boxesOption(QStringLiteral("boxes"), QStringLiteral("Boxes measured."),
                                         QStringLiteral("n"), QStringLiteral("2000"));
    const QCommandLineOption warmUpOption(QStringLiteral("warm-up"),
                                          QStringLiteral("Boxes shown before measuring."),
                                          QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption plainOption(QStringLiteral("plain"),
                                         QStringLiteral("Show the box from a bare Qt window."));
    parser.addOptions({boxesOption, warmUpOption, plainOption});
    parser.process(app);
    const int boxes = qMax(1, parser.value(boxesOption).toInt());
    const int warmUp = qMax(0, parser.value(warmUpOption).toInt());

    const hitungrama::LayoutLoader::Result &layout = hitungrama::LayoutLoader::builtIn();
    if (!layout.ok()) {
        std::fprintf(stderr, "the window layout is damaged\n");
        return 1;
    }
    hitungrama::QtMessageBoxService service;
    std::unique_ptr<QWidget> window;
    QPointer<hitungrama::XPButton> about;
    if (parser.isSet(plainOption)) {
        window = std::make_unique<QWidget>();
        window->resize(304, 318);
    } else {
        hitungrama::FontSetup::install();
        auto form = std::make_unique<hitungrama::Form1>(layout.layout, service);
        about = form->controls().button(hitungrama::controlname::kAboutButton);
        if (!about) {
            std::fprintf(stderr, "the ABOUT button is missing\n");
            return 1;
        }
        window = std::move(form);
    }
    window->show();

    int shown = 0;
    int closed = 0;
    auto openBox = [&] {
        closeNextBoxWhenShown(closed);
        if (!about) {
            QMessageBox box(QMessageBox::Information, QStringLiteral("Info"),
                            hitungrama::Form1::aboutText(), QMessageBox::Ok, window.get());
            box.exec();
            return;
        }
        // Pressed as a screen reader presses it: the same Click, whether or
        // not the window has the keyboard focus.
        about->pressFromAccessibility();
    };

    // A box that never opens or never closes ends the run instead of hanging it.
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(5000);
    QObject::connect(&stall, &QTimer::timeout, &app, [&] {
        std::fprintf(stderr, "box %d did not open and close within 5 s\n", shown);
        QCoreApplication::exit(1);
    });

    Sample start;
    // One box per event-loop turn, so whatever a closed box left queued
    // (deferred deletions, a deferred click) runs before the next one.
    QTimer next;
    next.setInterval(0);
    QObject::connect(&next, &QTimer::timeout, &app, [&] {
        if (closed != shown || QApplication::activeModalWidget())
            return;
        if (shown == warmUp)
            start = sample();
        if (shown == warmUp + boxes) {
            next.stop();
            stall.stop();
            const Sample end = sample();
            std::printf("{\"boxes\": %d, \"rss_kib_per_box\": %.4f, \"heap_kib_per_box\": %.4f}\n",
                        boxes, (end.rssKib - start.rssKib) / boxes,
                        (end.heapKib - start.heapKib) / boxes);
            QCoreApplication::quit();
            return;
        }
        ++shown;
        stall.start();
        openBox();
    });
    QTimer::singleShot(200, &next, qOverload<>(&QTimer::start));
    return QApplication::exec();
}
