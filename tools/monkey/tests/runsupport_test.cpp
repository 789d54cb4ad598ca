#include "actionlog.h"
#include "hangwatchdog.h"
#include "portablerandom.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <thread>

namespace hitungrama {
namespace {

TEST(ActionLog, failure_report_names_seed_action_history_and_replay)
{
    ActionLog log(4242, 3);
    for (int i = 0; i < 6; ++i)
        log.record(i, "click " + std::to_string(i));
    const std::string report = log.failureReport("the display shows \"1E\"");
    EXPECT_NE(report.find("seed 4242 at action #5: the display shows \"1E\""), std::string::npos);
    EXPECT_NE(report.find("the action: click 5"), std::string::npos);
    EXPECT_EQ(report.find("click 2"), std::string::npos) << "only the last three are kept";
    EXPECT_NE(report.find("#3  click 3"), std::string::npos);
    EXPECT_NE(report.find("hitungrama-monkey --seed 4242 --actions 6"), std::string::npos);
}

TEST(HangWatchdogDeathTest, an_action_that_never_returns_ends_the_run_with_the_report)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ActionLog log(7);
            log.record(0, "click OFF");
            HangWatchdog watchdog(log, std::chrono::milliseconds(50));
            watchdog.actionStarted();
            std::this_thread::sleep_for(std::chrono::seconds(5));
        },
        ::testing::ExitedWithCode(3), "seed 7 at action #0: the action has not returned after 50 ms");
}

TEST(HangWatchdogDeathTest, finished_actions_pass_however_long_the_run)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ActionLog log(7);
            HangWatchdog watchdog(log, std::chrono::milliseconds(30));
            for (int i = 0; i < 5; ++i) {
                watchdog.actionStarted();
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                watchdog.actionFinished();
                std::this_thread::sleep_for(std::chrono::milliseconds(40));
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(PortableRandom, draws_stay_in_range_and_reach_both_ends)
{
    PortableRandom random(1);
    std::array<int, 7> counts{};
    for (int i = 0; i < 7000; ++i) {
        const std::uint32_t value = random.below(7);
        ASSERT_LT(value, 7u);
        ++counts[value];
    }
    for (const int count : counts)
        EXPECT_GT(count, 800);
    bool low = false, high = false;
    for (int i = 0; i < 200; ++i) {
        const int value = random.between(-2, 2);
        ASSERT_TRUE(value >= -2 && value <= 2);
        low = low || value == -2;
        high = high || value == 2;
    }
    EXPECT_TRUE(low && high);
    EXPECT_EQ(random.below(0), 0u);
    EXPECT_EQ(random.between(5, 5), 5);
}

} // namespace
} // namespace hitungrama
