#include "harness/harnessapplication.h"
#include "harness/temporaryhome.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Indonesian, as every harness program starts, whatever the locale.
    const hitungrama::TemporaryHome home;
    hitungrama::HarnessApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
