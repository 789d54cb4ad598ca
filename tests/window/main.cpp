#include "window/fontsetup.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform notes every window feature it lacks; noise here.
void messageFilter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    previousHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    previousHandler = qInstallMessageHandler(messageFilter);
    // Every window test runs on the offscreen platform with a fixed locale.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hitungrama"));
    hitungrama::FontSetup::install();

    // The tests answer every box through a recorder. A real modal dialog
    // would wait for a user forever: fail the running test and close it.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "unexpected modal window: "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    watchdog.start(100);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
