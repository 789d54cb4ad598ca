#include "tapefixture.h"

#include "tape/tapemodel.h"
#include "tape/tapequery.h"

#include <QSignalSpy>
#include <QTest>

namespace hitungrama {
namespace {

QStringList shown(const TapeModel &model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row).data().toString();
    return texts;
}

using TapeModelTest = TapeFixture;

TEST_F(TapeModelTest, opens_at_the_newest_lines_and_pages_older_ones_in_at_the_top)
{
    auto store = openStore();
    append(*store, numbers(1, 100));
    TapeModel model(*store);
    model.setPageSize(10);
    model.setMaxRows(30);
    model.reload();
    EXPECT_EQ(shown(model), asLines(numbers(91, 100)));
    EXPECT_EQ(model.index(0).data(Qt::AccessibleTextRole).toString().left(8), QStringLiteral("91 = 1, "));
    model.fetchOlder();
    EXPECT_EQ(shown(model), asLines(numbers(81, 100)));
    // Past maxRows the newest lines leave at the bottom; new lines wait.
    model.fetchOlder();
    model.fetchOlder();
    EXPECT_EQ(shown(model), asLines(numbers(61, 90)));
    EXPECT_TRUE(model.canFetchNewer());
    append(*store, {QStringLiteral("101")});
    EXPECT_EQ(model.rowCount(), 30);
    while (model.canFetchNewer())
        model.fetchNewer();
    EXPECT_EQ(shown(model), asLines(numbers(72, 101)));

    // At the newest end, committed lines arrive at the bottom.
    append(*store, {QStringLiteral("102")});
    EXPECT_EQ(shown(model).last(), QStringLiteral("102 = 1"));
    store->remove({model.line(model.rowCount() - 2).id});
    ASSERT_TRUE(store->waitForWrites(5000));
    EXPECT_EQ(shown(model).mid(model.rowCount() - 2), asLines({QStringLiteral("100"), QStringLiteral("102")}));
    store->removeAll();
    ASSERT_TRUE(store->waitForWrites(5000));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.canFetchOlder());
}

// Every typed character is text to find: FTS5 syntax and LIKE wildcards
// included; one and two characters too, which trigrams don't serve.
TEST_F(TapeModelTest, search_finds_the_typed_text_literally)
{
    auto store = openStore();
    const std::pair<const char *, const char *> lines[] = {
        {"12 + 3", "15"}, {"112 + 4", "116"}, {"12+3", "15"}, {"2 * 3", "6"}, {"\"a\" AND b", "x"},
        {"5 / 0", "Tidak ada pembagian dengan nol"}, {"a_b%c", "7"},
    };
    for (const auto &[expression, result] : lines)
        store->append(line(QString::fromUtf8(expression), QString::fromUtf8(result)));
    ASSERT_TRUE(store->waitForWrites(5000));
    const struct {
        const char *search;
        QStringList texts;
    } cases[] = {
        {"12 +", {"12 + 3 = 15", "112 + 4 = 116"}},
        {"\"", {"\"a\" AND b = x"}},
        {"\"a\" ", {"\"a\" AND b = x"}},
        {"*", {"2 * 3 = 6"}},
        {" * ", {"2 * 3 = 6"}},
        {"AND", {"\"a\" AND b = x"}},
        {"OR NEAR(", {}},
        {"6", {"112 + 4 = 116", "2 * 3 = 6"}},
        {"+3", {"12+3 = 15"}},
        {"_", {"a_b%c = 7"}},
        {"b%", {"a_b%c = 7"}},
        {"tidak ADA", {"5 / 0 = Tidak ada pembagian dengan nol"}},
        {"3 = 1", {"12 + 3 = 15", "12+3 = 15"}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.search);
        TapeModel model(*store);
        model.setSearch(QString::fromUtf8(row.search));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isLoading(); }, 5000));
        EXPECT_EQ(shown(model), row.texts);
    }
}

TEST_F(TapeModelTest, a_short_search_reaches_the_oldest_line_in_bounded_steps)
{
    append(*openStore(), {QStringLiteral("#1")});
    // Enough lines for several scan steps.
    bulkInsert(numbers(1, 2 * TapeQuery::scanSpan + 10));
    auto store = openStore();
    TapeModel model(*store);
    model.setSearch(QStringLiteral("#"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isLoading(); }, 10000));
    EXPECT_EQ(shown(model), QStringList{QStringLiteral("#1 = 1")});
    EXPECT_FALSE(model.canFetchOlder());
}

QStringList g_warnings;

// Made and watched before the tape opens, a model reads nothing (and logs no
// warning) until the tape is there; then it shows this program's lines and,
// within 2 s (the watch looks every second), another program's lines and
// deletions.
TEST_F(TapeModelTest, a_watched_model_shows_this_and_another_programs_lines)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                g_warnings << text;
        });
    TapeStore mine(options());
    TapeModel model(mine);
    model.fetchOlder();
    mine.setWatching(true);
    qInstallMessageHandler(previous);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(g_warnings, QStringList());
    mine.open(tapePath());
    append(mine, {QStringLiteral("mine")});
    EXPECT_EQ(shown(model), asLines({QStringLiteral("mine")}));

    auto other = openStore();
    QSignalSpy committed(other.get(), &TapeStore::lineCommitted);
    append(*other, {QStringLiteral("theirs")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 2; }, 2000));
    EXPECT_EQ(shown(model), asLines({QStringLiteral("mine"), QStringLiteral("theirs")}));
    other->remove({committed.first().first().value<TapeLine>().id});
    ASSERT_TRUE(other->waitForWrites(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 1; }, 2500));
}

} // namespace
} // namespace hitungrama
