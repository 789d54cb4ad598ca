#include "monkeyoptions.h"

#include <gtest/gtest.h>

namespace hitungrama {
namespace {

MonkeyOptions parse(const char *line)
{
    return MonkeyOptions::parse(QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

TEST(MonkeyOptions, defaults_replay_the_fixed_run)
{
    const MonkeyOptions options = parse("");
    EXPECT_TRUE(options.error.isEmpty());
    EXPECT_EQ(options.seed, 20261206u);
    EXPECT_EQ(options.actions, 20000);
    EXPECT_EQ(options.maxActionMs, 100);
}

TEST(MonkeyOptions, values_follow_a_blank_or_an_equals_sign)
{
    const MonkeyOptions options = parse("--seed 4294967295 --actions=0 --max-ms 250");
    EXPECT_TRUE(options.error.isEmpty()) << options.error.toStdString();
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.actions, 0);
    EXPECT_EQ(options.maxActionMs, 250);
    EXPECT_TRUE(parse("--help").help);
}

TEST(MonkeyOptions, bad_arguments_are_refused_with_a_reason)
{
    for (const char *line : {"--seed", "--seed -1", "--seed 4294967296", "--seed 0x10",
                             "--seed +5", "--trace=1", "--actions 1e3", "--actions 1000000001",
                             "--max-ms 0", "--max-ms=", "--bogus", "7"}) {
        EXPECT_FALSE(parse(line).error.isEmpty()) << line;
    }
}

} // namespace
} // namespace hitungrama
