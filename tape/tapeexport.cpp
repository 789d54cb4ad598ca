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

TapeExport::Format TapeExport::formatFor(const QString &path, Format otherwise)
{
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return Format::Csv;
    return path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ? Format::Text : otherwise;
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

TapeExport::Outcome TapeExport::save(const QString &path, Format format, const ChunkSource &nextChunk,
                                     QString *error, const std::atomic<bool> *cancel)
{
    QSaveFile file(path);
    // Unbuffered: QSaveFile::commit() flushes what a buffer still holds and
    // may take a failure there for success, so nothing is left for it to
    // write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = tr("Ekspor gagal: %1").arg(file.errorString());
        return Outcome::Failed;
    }
    // A short write is tried on, so that a full disk says why it failed.
    const auto write = [&file](const QByteArray &bytes) {
        for (qint64 done = 0; done < bytes.size();) {
            const qint64 count = file.write(bytes.constData() + done, bytes.size() - done);
            if (count <= 0 || file.error() != QFileDevice::NoError)
                return false;
            done += count;
        }
        return true;
    };
    bool written = format != Format::Csv || write(csvHeader());
    bool readFailed = false;
    while (written) {
        if (cancel != nullptr && cancel->load()) {
            file.cancelWriting();
            return Outcome::Cancelled;
        }
        const std::optional<QList<TapeLine>> chunk = nextChunk();
        if (!chunk) {
            readFailed = true;
            break;
        }
        if (chunk->isEmpty())
            break;
        QByteArray bytes;
        for (const TapeLine &line : *chunk)
            bytes += format == Format::Csv ? csvRow(line) : textRow(line);
        written = write(bytes);
    }
    if (readFailed) {
        file.cancelWriting();
        *error = tr("Ekspor gagal: riwayat tidak dapat dibaca.");
        return Outcome::Failed;
    }
    if (!written || !file.flush() || !file.commit()) {
        *error = tr("Ekspor gagal: %1").arg(file.errorString());
        file.cancelWriting();
        return Outcome::Failed;
    }
    return Outcome::Written;
}

} // namespace hitungrama
