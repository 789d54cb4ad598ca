#include "harness/harnessapplication.h"
#include "harness/temporaryhome.h"

#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

int main(int argc, char **argv)
{
    // A death test's child process keeps its parent's folders, so that the
    // parent finds the tape the child wrote.
    const bool deathTestChild = std::any_of(argv, argv + argc, [](const char *argument) {
        return std::strncmp(argument, "--gtest_internal_run_death_test", 31) == 0;
    });
    std::optional<hitungrama::TemporaryHome> home;
    if (!deathTestChild)
        home.emplace();
    hitungrama::HarnessApplication app(argc, argv);

    // The tests answer every box through a recorder. A real modal dialog
    // would wait for a user forever: fail the running test and close it,
    // unless a test drives it (it, or a window it belongs to, has the
    // property "drivenByTest").
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        for (QWidget *owner = modal; owner != nullptr; owner = owner->parentWidget()) {
            if (owner->property("drivenByTest").toBool())
                return;
        }
        if (modal != nullptr) {
            ADD_FAILURE() << "unexpected modal window: "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    watchdog.start(100);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
