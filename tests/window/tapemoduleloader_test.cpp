#include "tapeview/tapemoduleloader.h"

#include "tape/tapemodule.h"

#include <gtest/gtest.h>

using namespace hitungrama;

namespace {

// The program's loader hands out the copy of the tape library that this
// test links, never a second one: objects made through it are the ones the
// test's own code knows.
TEST(TapeModuleLoader, finds_the_copy_already_loaded)
{
    QString error;
    const TapeModule *byName = TapeModuleLoader::load(QStringLiteral("/nowhere/libhitungrama-tape.so"), &error);
    ASSERT_NE(byName, nullptr) << error.toStdString();
    EXPECT_EQ(byName, hitungramaTapeModule());
    EXPECT_EQ(TapeModuleLoader::module(), hitungramaTapeModule());
}

// A missing library is an error with the loader's reason, never a crash.
TEST(TapeModuleLoader, reports_a_missing_library)
{
    QString error;
    EXPECT_EQ(TapeModuleLoader::load(QStringLiteral("/nowhere/libhitungrama-missing.so"), &error), nullptr);
    EXPECT_TRUE(error.contains(QLatin1String("libhitungrama-missing.so"))) << error.toStdString();
}

} // namespace
