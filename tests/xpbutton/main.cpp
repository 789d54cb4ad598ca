#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QTemporaryFile>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // No display is needed: the offscreen platform, with screens at 150 % and
    // 200 % besides the primary one for the device pixel ratio tests.
    QTemporaryFile screens;
    if (screens.open()) {
        screens.write(R"({"screens": [
            {"name": "one", "x": 0, "y": 0, "width": 800, "height": 600, "logicalDpi": 96},
            {"name": "oneandhalf", "x": 800, "y": 0, "width": 1200, "height": 900, "logicalDpi": 144},
            {"name": "two", "x": 2000, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 192}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QLocale::setDefault(QLocale::c());
    // Unreadable stored values are logged on purpose by some tests.
    QLoggingCategory::setFilterRules(QStringLiteral("hitungrama.xpbutton.warning=false"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
