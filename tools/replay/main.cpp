// hitungrama-replay: reads actions from standard input, performs each on the
// real window through input events and writes one JSON line per result.
#include "actionrunner.h"

#include "window/fontsetup.h"
#include "window/form1.h"
#include "window/layoutloader.h"
#include "window/recordingmessageboxservice.h"

#include <QApplication>
#include <QtGlobal>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform reports every window feature it lacks (raising,
// size hints); those notes say nothing about the run and are dropped.
void messageFilter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    previousHandler = qInstallMessageHandler(messageFilter);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hitungrama"));

    const hitungrama::LayoutLoader::Result &layout = hitungrama::LayoutLoader::builtIn();
    if (!layout.ok()) {
        std::fprintf(stderr, "hitungrama-replay: the window layout is damaged: %s\n",
                     qPrintable(layout.error));
        return 1;
    }
    hitungrama::FontSetup::install();

    hitungrama::RecordingMessageBoxService boxes;
    hitungrama::Form1 form(layout.layout, boxes);
    hitungrama::ActionRunner runner(form, boxes);
    runner.showWindow();

    std::string line;
    while (!runner.exited() && std::getline(std::cin, line)) {
        for (const QString &result : runner.perform(QString::fromUtf8(line.data(), int(line.size())))) {
            const QByteArray bytes = result.toUtf8();
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
            std::fputc('\n', stdout);
        }
        std::fflush(stdout);
    }
    return 0;
}
