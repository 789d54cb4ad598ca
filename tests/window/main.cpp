#include "harness/harnessapplication.h"
#include "harness/temporaryhome.h"

#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    const hitungrama::TemporaryHome home;
    hitungrama::HarnessApplication app(argc, argv);

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
