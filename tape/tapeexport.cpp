#include "tape/tapeexport.h"

#include <QSaveFile>

namespace hitungrama {

namespace {

QByteArray csvField(const QString &value)
{
    QByteArray field = value.toUtf8();
    if (field.contains('"') || field.contains(',') || field.contains('\r') || field.contains('\n')) {
        field.replace("\"", "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

} // namespace

TapeExport::Format TapeExport::formatFor(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? Format::Csv : Format::Text;
}

QByteArray TapeExport::csvHeader()
{
    return QByteArrayLiteral("waktu,ekspresi,hasil,biner\r\n");
}

QByteArray TapeExport::csvRow(const TapeLine &line)
{
    return csvField(line.time.toUTC().toString(Qt::ISODateWithMs)) + ',' + csvField(line.expression)
        + ',' + csvField(line.result) + ',' + (line.binary ? '1' : '0') + "\r\n";
}

QByteArray TapeExport::textRow(const TapeLine &line)
{
    QString text = line.text();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.toUtf8() + '\n';
}

QString TapeExport::plainText(const QList<TapeLine> &lines)
{
    QByteArray text;
    for (const TapeLine &line : lines)
        text += textRow(line);
    text.chop(1);
    return QString::fromUtf8(text);
}

bool TapeExport::save(const QString &path, Format format,
                      const std::function<QList<TapeLine>()> &nextChunk, QString *error,
                      const std::function<bool()> &chunkFailed)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = tr("Ekspor gagal: %1").arg(file.errorString());
        return false;
    }
    bool written = format != Format::Csv || file.write(csvHeader()) >= 0;
    for (QList<TapeLine> chunk = nextChunk(); written && !chunk.isEmpty(); chunk = nextChunk()) {
        QByteArray bytes;
        for (const TapeLine &line : chunk)
            bytes += format == Format::Csv ? csvRow(line) : textRow(line);
        written = file.write(bytes) == bytes.size();
    }
    if (written && chunkFailed && chunkFailed()) {
        file.cancelWriting();
        *error = tr("Ekspor gagal: riwayat tidak dapat dibaca.");
        return false;
    }
    if (!written || !file.commit()) {
        *error = tr("Ekspor gagal: %1").arg(file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace hitungrama
