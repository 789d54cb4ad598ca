#include "harness/harnessapplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Indonesian, as every harness program starts, whatever the locale.
    hitungrama::HarnessApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
