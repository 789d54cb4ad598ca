#include "actiongenerator.h"

#include <QKeySequence>

#include <gtest/gtest.h>

#include <array>

namespace hitungrama {
namespace {

using Kind = MonkeyAction::Kind;

MonkeyTargets someTargets()
{
    MonkeyTargets targets;
    targets.buttons = {{QStringLiteral("XPButton1(7)"), QStringLiteral("7")},
                       {QStringLiteral("XPButton8(0)"), QStringLiteral("M+")},
                       {QStringLiteral("XPButton4"), QString()}};
    targets.labels = {QStringLiteral("Label1"), QStringLiteral("Label5(3)")};
    targets.occupied = {QRect(0, 0, 100, 100)};
    targets.toggleRef = QStringLiteral("XPButton12");
    targets.toggleCaption = QStringLiteral("->");
    targets.memoryStoreRef = QStringLiteral("XPButton8(0)");
    targets.tableRef = QStringLiteral("XPButton9(7)");
    targets.window = QSize(304, 318);
    return targets;
}

TEST(ActionGenerator, one_seed_gives_one_run)
{
    const MonkeyTargets targets = someTargets();
    ActionGenerator first(7);
    ActionGenerator again(7);
    ActionGenerator other(8);
    int differences = 0;
    for (int i = 0; i < 2000; ++i) {
        const QString line = first.next(targets).line;
        ASSERT_EQ(line, again.next(targets).line) << "action " << i;
        differences += line != other.next(targets).line ? 1 : 0;
    }
    EXPECT_GT(differences, 1000);
}

// The harness reads one action per line and refuses what it cannot parse;
// a refused action would test nothing.
TEST(ActionGenerator, every_action_is_one_line_the_harness_accepts)
{
    const MonkeyTargets targets = someTargets();
    ActionGenerator generator(20261206);
    std::array<int, MonkeyAction::kKindCount> seen{};
    const int draws = 60000;
    for (int i = 0; i < draws; ++i) {
        const MonkeyAction action = generator.next(targets);
        ++seen[std::size_t(action.kind)];
        ASSERT_FALSE(action.line.contains(QLatin1Char('\n')) || action.line.contains(QLatin1Char('\r')))
            << action.line.toStdString();
        if (action.kind == Kind::ClickPoint) {
            ASSERT_TRUE(QRect(QPoint(0, 0), targets.window).contains(action.point));
        } else if (action.line.startsWith(QLatin1String("click "))) {
            const QString ref = action.line.mid(6);
            ASSERT_FALSE(ref.isEmpty() || ref.contains(QLatin1Char(' '))) << action.line.toStdString();
        }
    }
    for (int kind = 0; kind < MonkeyAction::kKindCount; ++kind)
        EXPECT_GT(seen[std::size_t(kind)], 0) << "kind " << kind << " never drawn";
    // "yes" ends the window when it meets the exit question: keep it rare.
    EXPECT_LT(seen[std::size_t(Kind::AnswerYes)] + seen[std::size_t(Kind::MemoryWithYes)], draws / 50);
}

// The harness refuses a tape line the list does not hold.
TEST(ActionGenerator, tape_actions_name_only_lines_the_list_shows)
{
    for (const int lines : {0, 2}) {
        MonkeyTargets targets = someTargets();
        targets.tapeShown = true;
        targets.tapeLines = lines;
        ActionGenerator generator(99);
        int named = 0;
        for (int i = 0; i < 20000; ++i) {
            const QStringList words = generator.next(targets).line.split(QLatin1Char(' '));
            if (words.size() != 3 || words[0] != QLatin1String("tape") || words[1] == QLatin1String("search"))
                continue;
            ++named;
            EXPECT_GE(words[2].toInt(), 1);
            EXPECT_LE(words[2].toInt(), lines);
        }
        EXPECT_EQ(named > 0, lines > 0) << lines << " lines";
    }
}

TEST(ActionGenerator, key_texts_name_one_key_each)
{
    for (const QString &text : ActionGenerator::keyTexts()) {
        const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
        ASSERT_EQ(sequence.count(), 1) << text.toStdString();
        EXPECT_NE(sequence[0].key(), Qt::Key_unknown) << text.toStdString();
    }
}

TEST(ActionGenerator, a_yes_for_the_memory_is_followed_by_storing)
{
    const MonkeyTargets targets = someTargets();
    ActionGenerator generator(1);
    int pairs = 0;
    for (int i = 0; i < 20000; ++i) {
        const MonkeyAction action = generator.next(targets);
        if (action.kind != Kind::MemoryWithYes)
            continue;
        EXPECT_EQ(action.line, QStringLiteral("answer yes"));
        const MonkeyAction store = generator.next(targets);
        EXPECT_EQ(store.line, QStringLiteral("click XPButton8(0)"));
        EXPECT_TRUE(store.dropAnswersAfter);
        ++pairs;
    }
    EXPECT_GT(pairs, 0);
}

} // namespace
} // namespace hitungrama
