#include "tape/tapeexportjob.h"

#include "tape/tapequery.h"
#include "tape/tapereaderthread.h"
#include "tape/tapestore.h"

#include <QPointer>

namespace hitungrama {

namespace {

constexpr int exportChunk = 1000;

} // namespace

TapeExportJob::TapeExportJob(TapeStore &store, const QString &path, TapeExport::Format format,
                             QObject *parent)
    : QObject(parent), m_thread(std::make_unique<TapeReaderThread>())
{
    // The range is taken here, on the calling thread, when the user asked.
    const QSqlDatabase reader = store.reader();
    const bool open = reader.isOpen();
    const QString databaseName = open ? reader.databaseName() : QString();
    const qint64 lowest = open ? TapeQuery::lowestId(reader) : 0;
    const qint64 highest = open ? TapeQuery::highestId(reader) : 0;
    m_thread->post(databaseName, [this, path, format, lowest, highest, open](const QSqlDatabase &db) {
        qint64 after = lowest - 1;
        const auto next = [&]() -> std::optional<QList<TapeLine>> {
            if (!open || !db.isOpen())
                return std::nullopt;
            const TapeQuery::Step step = TapeQuery().newer(db, after, highest, exportChunk);
            if (step.failed)
                return std::nullopt;
            if (!step.lines.isEmpty()) {
                after = step.lines.last().id;
                report(int((after - lowest + 1) * 1000 / std::max<qint64>(1, highest - lowest + 1)));
            }
            return step.lines;
        };
        QString error;
        const TapeExport::Outcome outcome = TapeExport::save(path, format, next, &error, &m_cancel);
        // Delivered on this object's thread, or dropped when it is gone.
        QMetaObject::invokeMethod(
            this, [this, outcome, error] { emit finished(int(outcome), error); }, Qt::QueuedConnection);
    });
}

TapeExportJob::~TapeExportJob()
{
    m_cancel = true;
    m_thread.reset();
}

void TapeExportJob::cancel()
{
    m_cancel = true;
}

void TapeExportJob::report(int permille)
{
    // One signal each time the shown thousandth changes, not one a chunk.
    if (m_permille.exchange(permille) == permille)
        return;
    QMetaObject::invokeMethod(
        this, [this, permille] { emit progressed(permille); }, Qt::QueuedConnection);
}

} // namespace hitungrama
