#include "tapefixture.h"

#include "tape/tapeexport.h"

#include <QFile>

namespace hitungrama {
namespace {

struct CsvCase {
    const char *name;
    QString expression;
    QString result;
    bool binary;
    QByteArray row;
};

class CsvRowTest : public ::testing::TestWithParam<CsvCase> {
};

TEST_P(CsvRowTest, quotes_only_what_rfc_4180_requires)
{
    TapeLine line;
    line.time = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5, 678), Qt::UTC);
    line.expression = GetParam().expression;
    line.result = GetParam().result;
    line.binary = GetParam().binary;
    EXPECT_EQ(TapeExport::csvRow(line), "2024-01-02T03:04:05.678Z," + GetParam().row + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Tape, CsvRowTest,
    ::testing::Values(
        CsvCase{"plain", QStringLiteral("12 + 3 * 4"), QStringLiteral("60"), false, "12 + 3 * 4,60,0"},
        CsvCase{"binary", QStringLiteral("BIN(10)"), QStringLiteral("00001010"), true, "BIN(10),00001010,1"},
        CsvCase{"comma", QStringLiteral("1,5 + 1"), QStringLiteral("2,5"), false, "\"1,5 + 1\",\"2,5\",0"},
        CsvCase{"quote", QStringLiteral("say \"hi\""), QStringLiteral("x"), false, "\"say \"\"hi\"\"\",x,0"},
        CsvCase{"line_breaks", QStringLiteral("(2 + 250)!"), QStringLiteral("a\r\nb\rc"), false,
                "(2 + 250)!,\"a\r\nb\rc\",0"},
        CsvCase{"non_ascii", QStringLiteral("√2"), QStringLiteral("Tidak ada pembagian dengan nol"), false,
                "\xe2\x88\x9a" "2,Tidak ada pembagian dengan nol,0"}),
    [](const auto &info) { return std::string(info.param.name); });

using TapeExportTest = TapeFixture;

TEST_F(TapeExportTest, writes_the_whole_tape_as_csv_or_text)
{
    auto store = openStore();
    append(*store, {QStringLiteral("1 + 1"), QStringLiteral("a,b")});
    TapeLine message = line(QStringLiteral("5 / 0"), QStringLiteral("Tidak ada\npembagian"));
    store->append(message);
    ASSERT_TRUE(store->waitForWrites(5000));
    QString error;
    ASSERT_TRUE(store->exportTo(path(QStringLiteral("out.csv")), TapeExport::Format::Csv, &error));
    QFile csv(path(QStringLiteral("out.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = csv.readAll().split('\n');
    ASSERT_EQ(rows.size(), 6); // a header, three lines (one broken inside quotes), the end
    EXPECT_EQ(rows[0], "waktu,ekspresi,hasil,biner\r");
    EXPECT_TRUE(rows[2].endsWith(",\"a,b\",1,0\r"));

    ASSERT_TRUE(store->exportTo(path(QStringLiteral("out.txt")), TapeExport::Format::Text, &error));
    QFile text(path(QStringLiteral("out.txt")));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), "1 + 1 = 1\na,b = 1\n5 / 0 = Tidak ada pembagian\n");
}

} // namespace
} // namespace hitungrama
