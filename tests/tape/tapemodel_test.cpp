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

QStringList numbers(int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << QString::number(i);
    return list;
}

QStringList asLines(const QStringList &expressions)
{
    QStringList texts;
    for (const QString &expression : expressions)
        texts << expression + QStringLiteral(" = 1");
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

    QSignalSpy inserted(&model, &TapeModel::rowsInserted);
    model.fetchOlder();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 9);
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

QStringList g_warnings;

TEST_F(TapeModelTest, made_or_watched_before_the_tape_opens_it_reads_nothing_until_the_tape_is_there)
{
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                g_warnings << text;
        });
    TapeStore store(options());
    TapeModel model(store);
    model.fetchOlder();
    store.setWatching(true);
    qInstallMessageHandler(previous);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(g_warnings, QStringList());
    store.open(tapePath());
    append(store, {QStringLiteral("7")});
    EXPECT_EQ(shown(model), asLines({QStringLiteral("7")}));
}

struct SearchCase {
    const char *name;
    QString search;
    QStringList texts;
};

class TapeSearchTest : public TapeFixture, public ::testing::WithParamInterface<SearchCase> {
};

// Every typed character is text to find: FTS5 syntax and LIKE wildcards
// included; one and two characters too, which trigrams don't serve.
TEST_P(TapeSearchTest, finds_the_typed_text_literally)
{
    auto store = openStore();
    const QList<std::pair<QString, QString>> lines = {
        {QStringLiteral("12 + 3"), QStringLiteral("15")},
        {QStringLiteral("112 + 4"), QStringLiteral("116")},
        {QStringLiteral("12+3"), QStringLiteral("15")},
        {QStringLiteral("2 * 3"), QStringLiteral("6")},
        {QStringLiteral("\"a\" AND b"), QStringLiteral("x")},
        {QStringLiteral("5 / 0"), QStringLiteral("Tidak ada pembagian dengan nol")},
        {QStringLiteral("a_b%c"), QStringLiteral("7")},
    };
    for (const auto &[expression, result] : lines)
        store->append(line(expression, result));
    ASSERT_TRUE(store->waitForWrites(5000));
    TapeModel model(*store);
    model.setSearch(GetParam().search);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isLoading(); }, 5000));
    EXPECT_EQ(shown(model), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Tape, TapeSearchTest,
    ::testing::Values(
        SearchCase{"operator_and_space", QStringLiteral("12 +"),
                   {QStringLiteral("12 + 3 = 15"), QStringLiteral("112 + 4 = 116")}},
        SearchCase{"quote", QStringLiteral("\""), {QStringLiteral("\"a\" AND b = x")}},
        SearchCase{"quoted_word", QStringLiteral("\"a\" "), {QStringLiteral("\"a\" AND b = x")}},
        SearchCase{"star", QStringLiteral("*"), {QStringLiteral("2 * 3 = 6")}},
        SearchCase{"star_with_spaces", QStringLiteral(" * "), {QStringLiteral("2 * 3 = 6")}},
        SearchCase{"and_is_a_word", QStringLiteral("AND"), {QStringLiteral("\"a\" AND b = x")}},
        SearchCase{"or_finds_nothing", QStringLiteral("OR NEAR("), {}},
        SearchCase{"one_character", QStringLiteral("6"),
                   {QStringLiteral("112 + 4 = 116"), QStringLiteral("2 * 3 = 6")}},
        SearchCase{"two_characters", QStringLiteral("+3"), {QStringLiteral("12+3 = 15")}},
        SearchCase{"underscore_is_no_wildcard", QStringLiteral("_"), {QStringLiteral("a_b%c = 7")}},
        SearchCase{"percent_is_no_wildcard", QStringLiteral("b%"), {QStringLiteral("a_b%c = 7")}},
        SearchCase{"case_is_ignored", QStringLiteral("tidak ADA"),
                   {QStringLiteral("5 / 0 = Tidak ada pembagian dengan nol")}},
        SearchCase{"across_the_equals_sign", QStringLiteral("3 = 1"),
                   {QStringLiteral("12 + 3 = 15"), QStringLiteral("12+3 = 15")}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TapeModelTest, a_short_search_reaches_the_oldest_line_in_bounded_steps)
{
    {
        auto store = openStore();
        append(*store, {QStringLiteral("#1")});
    }
    // Enough lines for several scan steps.
    bulkInsert(numbers(1, 2 * TapeQuery::scanSpan + 10));
    auto store = openStore();
    TapeModel model(*store);
    model.setSearch(QStringLiteral("#"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.isLoading(); }, 10000));
    EXPECT_EQ(shown(model), QStringList{QStringLiteral("#1 = 1")});
    EXPECT_FALSE(model.canFetchOlder());
}

TEST_F(TapeModelTest, a_watched_model_shows_another_programs_lines_and_deletions)
{
    auto mine = openStore();
    append(*mine, {QStringLiteral("mine")});
    TapeModel model(*mine);
    mine->setWatching(true);
    auto other = openStore();
    QSignalSpy committed(other.get(), &TapeStore::lineCommitted);
    append(*other, {QStringLiteral("theirs")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 2; }, 2500));
    EXPECT_EQ(shown(model), asLines({QStringLiteral("mine"), QStringLiteral("theirs")}));
    other->remove({committed.first().first().value<TapeLine>().id});
    ASSERT_TRUE(other->waitForWrites(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 1; }, 2500));
}

} // namespace
} // namespace hitungrama
