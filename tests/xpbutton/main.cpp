#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // No display is needed: every button test runs on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale::c());
    // Unreadable stored values are logged on purpose by some tests.
    QLoggingCategory::setFilterRules(QStringLiteral("hitungrama.xpbutton.warning=false"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
