#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QLocale::setDefault(QLocale::c());
    // The faults the tests cause are logged on purpose.
    QLoggingCategory::setFilterRules(QStringLiteral("hitungrama.tape.warning=false"));
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
