#include "tapefixture.h"

#include "tape/tapeexport.h"
#include "tape/tapeexportjob.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

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

// Runs an export to its end and gives its outcome.
TapeExport::Outcome exportTape(TapeExportJob &job)
{
    QSignalSpy finished(&job, &TapeExportJob::finished);
    EXPECT_TRUE(finished.wait(20000));
    if (finished.isEmpty())
        return TapeExport::Outcome::Failed;
    return TapeExport::Outcome(finished.first().first().toInt());
}

TEST_F(TapeExportTest, writes_the_whole_tape_as_csv_or_text)
{
    auto store = openStore();
    append(*store, {QStringLiteral("1 + 1"), QStringLiteral("a,b")});
    TapeLine message = line(QStringLiteral("5 / 0"), QStringLiteral("Tidak ada\npembagian"));
    store->append(message);
    ASSERT_TRUE(store->waitForWrites(5000));
    TapeExportJob csv(*store, path(QStringLiteral("out.csv")), TapeExport::Format::Csv);
    ASSERT_EQ(exportTape(csv), TapeExport::Outcome::Written);
    const QList<QByteArray> rows = fileBytes(path(QStringLiteral("out.csv"))).split('\n');
    ASSERT_EQ(rows.size(), 6); // a header, three lines (one broken inside quotes), the end
    EXPECT_EQ(rows[0], "waktu,ekspresi,hasil,biner\r");
    EXPECT_TRUE(rows[2].endsWith(",\"a,b\",1,0\r"));

    TapeExportJob text(*store, path(QStringLiteral("out.txt")), TapeExport::Format::Text);
    ASSERT_EQ(exportTape(text), TapeExport::Outcome::Written);
    EXPECT_EQ(fileBytes(path(QStringLiteral("out.txt"))), "1 + 1 = 1\na,b = 1\n5 / 0 = Tidak ada pembagian\n");
}

// An export holds the lines of its start: a line that comes while it runs
// is not in it. Cancelled, or ended with the program, it leaves the old
// file as it was.
TEST_F(TapeExportTest, writes_the_lines_of_its_start_and_a_cancel_keeps_the_old_file)
{
    { auto store = openStore(); }
    bulkInsert(numbers(1, 30000));
    auto store = openStore();
    const QString out = path(QStringLiteral("out.txt"));
    {
        TapeExportJob job(*store, out, TapeExport::Format::Text);
        append(*store, {QStringLiteral("late")});
        ASSERT_EQ(exportTape(job), TapeExport::Outcome::Written);
    }
    const QByteArray written = fileBytes(out);
    EXPECT_TRUE(written.startsWith("1 = 1\n2 = 1\n"));
    EXPECT_TRUE(written.endsWith("\n30000 = 1\n")) << written.right(40).toStdString();

    QFile old(out);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate) && old.write("old\n") == 4);
    old.close();
    {
        TapeExportJob job(*store, out, TapeExport::Format::Csv);
        job.cancel();
        EXPECT_EQ(exportTape(job), TapeExport::Outcome::Cancelled);
    }
    { TapeExportJob ended(*store, out, TapeExport::Format::Csv); }
    EXPECT_EQ(fileBytes(out), "old\n");
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("out*")}, QDir::Files), QStringList{QStringLiteral("out.txt")});
}

} // namespace
} // namespace hitungrama
