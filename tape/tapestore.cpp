#include "tape/tapestore.h"

#include "tape/tapedatabase.h"
#include "tape/tapekeeping.h"
#include "tape/tapequery.h"
#include "tape/tapewriter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <limits>
#include <utility>

namespace hitungrama {

namespace {

// A reader waits this long for the in-memory tape's writer (the file's
// readers never wait in WAL mode).
constexpr int readerBusyTimeoutMs = 250;
constexpr int watchIntervalMs = 1000;
// How much longer than the busy timeout a synchronous read waits for the
// tape to open.
constexpr int openMarginMs = 1000;

} // namespace

TapeStore::TapeStore(const TapeOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_keeping(std::make_unique<TapeKeeping>(options.settingsFile))
{
    qRegisterMetaType<TapeLine>();
    qRegisterMetaType<TapeBacking>();
    qRegisterMetaType<TapeFault>();
    qRegisterMetaType<QList<qint64>>();
}

TapeStore::~TapeStore()
{
    if (m_writer != nullptr) {
        // The last job runs after every queued one, hands the writer back to
        // this thread and ends the writer thread's loop.
        QThread *home = thread();
        QThread *writerThread = m_thread;
        enqueue([home, writerThread](TapeWriter &writer) {
            writer.shutdown();
            writer.moveToThread(home);
            writerThread->quit();
        });
        m_thread->wait();
        delete m_writer;
        delete m_thread;
    }
    closeReader();
}

QString TapeStore::defaultPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : folder + QLatin1String("/riwayat.sqlite");
}

void TapeStore::open(const QString &path)
{
    m_pendingOpen = path;
    if (m_writer != nullptr)
        startPendingOpen();
}

void TapeStore::startPendingOpen()
{
    if (!m_pendingOpen)
        return;
    const QString path = *std::exchange(m_pendingOpen, std::nullopt);
    enqueue([path](TapeWriter &writer) { writer.open(path); });
}

void TapeStore::append(const TapeLine &line)
{
    TapeLine stamped = line;
    if (!stamped.time.isValid())
        stamped.time = QDateTime::currentDateTimeUtc();
    enqueue([stamped](TapeWriter &writer) { writer.append(stamped); });
}

void TapeStore::remove(const QList<qint64> &ids)
{
    enqueue([ids](TapeWriter &writer) { writer.remove(ids); });
}

void TapeStore::removeAll()
{
    enqueue([](TapeWriter &writer) { writer.clear(); });
}

void TapeStore::eraseKept()
{
    enqueue([](TapeWriter &writer) { writer.eraseKept(); });
}

bool TapeStore::isKeeping() const
{
    return m_keeping->isOn();
}

void TapeStore::setKeeping(bool on)
{
    m_keeping->set(on);
    if (m_writer != nullptr)
        enqueue([](TapeWriter &writer) { writer.settle(); });
}

bool TapeStore::waitForWrites(int timeoutMs)
{
    startPendingOpen();
    bool settled = true;
    {
        const QDeadlineTimer deadline(timeoutMs);
        QMutexLocker lock(&m_queue.mutex);
        const quint64 target = m_queue.queued;
        while (m_queue.done < target && m_queue.settled.wait(&m_queue.mutex, deadline)) {
        }
        settled = m_queue.done >= target;
    }
    // The writer's signals for what has finished are queued to this object:
    // deliver them now, so that what reads next sees a settled tape.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    return settled;
}

QString TapeStore::noticeFor(TapeFault fault, const QString &detail, int busyTimeoutMs)
{
    switch (fault) {
    case TapeFault::None:
        return QString();
    case TapeFault::BadFileKept:
        return tr("Riwayat lama tidak terbaca dan disimpan sebagai %1; riwayat baru dimulai.").arg(detail);
    case TapeFault::BadFileStuck:
        return tr("Riwayat %1 tidak terbaca dan tidak dapat dipindahkan; riwayat kali ini hanya ada "
                  "di memori.")
            .arg(detail);
    case TapeFault::NewerVersion:
        return tr("Riwayat %1 berasal dari versi Hitungrama yang lebih baru dan dibiarkan utuh; "
                  "riwayat kali ini hanya ada di memori.")
            .arg(detail);
    case TapeFault::FolderUnwritable:
        return tr("Folder %1 tidak dapat ditulisi; riwayat kali ini hanya ada di memori.").arg(detail);
    case TapeFault::FileUnreadable:
        return tr("Berkas riwayat tidak dapat dibaca (izin ditolak); riwayat kali ini hanya ada di "
                  "memori.");
    case TapeFault::DiskFull:
        return tr("Disk penuh; riwayat kali ini hanya ada di memori.");
    case TapeFault::Locked:
        return tr("Riwayat dikunci program lain lebih dari %n detik; riwayat kali ini hanya ada di "
                  "memori.",
                  nullptr, qMax(1, busyTimeoutMs / 1000));
    case TapeFault::WriteFailed:
        return tr("Riwayat tidak dapat ditulis (%1); riwayat kali ini hanya ada di memori.").arg(detail);
    }
    return QString();
}

QSqlDatabase TapeStore::reader()
{
    startPendingOpen();
    if (m_readerName.isEmpty() && !m_databaseName.isEmpty()) {
        const QString name = QStringLiteral("hitungrama-tape-reader-%1").arg(quintptr(this), 0, 16);
        // Read-only: a reader never writes, nor makes a file where the tape
        // has gone.
        if (!TapeDatabase::connect(name, m_databaseName, TapeDatabase::Access::ReadOnly,
                                   readerBusyTimeoutMs)
                 .isValid()) {
            m_readerName = name;
        }
    }
    return m_readerName.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(m_readerName, false);
}

QSqlDatabase TapeStore::settledReader()
{
    // Before the open has come back there is no tape to read: a read that
    // answers at once would report an empty tape. Wait for the open (it may
    // wait out a lock) and for what was queued before it.
    if (m_databaseName.isEmpty() && (m_pendingOpen || m_writer != nullptr))
        waitForWrites(m_options.busyTimeoutMs + openMarginMs);
    return reader();
}

int TapeStore::lineCount()
{
    const QSqlDatabase db = settledReader();
    return db.isOpen() ? TapeQuery::count(db) : 0;
}

QList<TapeLine> TapeStore::lastLines(int count)
{
    const QSqlDatabase db = settledReader();
    if (!db.isOpen())
        return {};
    QList<TapeLine> lines = TapeQuery().older(db, std::numeric_limits<qint64>::max(), count).lines;
    std::reverse(lines.begin(), lines.end());
    return lines;
}

void TapeStore::setWatching(bool on)
{
    m_watching = on;
    if (!on) {
        delete m_watchTimer;
        m_watchTimer = nullptr;
        return;
    }
    if (m_watchTimer == nullptr) {
        m_watchTimer = new QTimer(this);
        m_watchTimer->setInterval(watchIntervalMs);
        connect(m_watchTimer, &QTimer::timeout, this, &TapeStore::checkDataVersion);
    }
    m_dataVersion = dataVersion();
    m_watchTimer->start();
}

void TapeStore::enqueue(std::function<void(TapeWriter &)> job)
{
    if (m_writer == nullptr)
        startWriter();
    // The open goes first: whatever uses the tape needs it open.
    startPendingOpen();
    {
        QMutexLocker lock(&m_queue.mutex);
        ++m_queue.queued;
    }
    Queue *queue = &m_queue;
    TapeWriter *writer = m_writer;
    QMetaObject::invokeMethod(
        m_writer,
        [queue, writer, job = std::move(job)] {
            job(*writer);
            QMutexLocker lock(&queue->mutex);
            ++queue->done;
            queue->settled.wakeAll();
        },
        Qt::QueuedConnection);
}

void TapeStore::startWriter()
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("tape writer"));
    m_writer = new TapeWriter(m_options);
    m_writer->moveToThread(m_thread);
    connect(m_writer, &TapeWriter::backingChanged, this, &TapeStore::onBackingChanged);
    connect(m_writer, &TapeWriter::lineCommitted, this, &TapeStore::lineCommitted);
    connect(m_writer, &TapeWriter::linesRemoved, this, &TapeStore::linesRemoved);
    connect(m_writer, &TapeWriter::cleared, this, &TapeStore::cleared);
    m_thread->start();
}

void TapeStore::onBackingChanged(TapeBacking backing, const QString &databaseName, TapeFault fault,
                                 const QString &detail)
{
    closeReader();
    m_backing = backing;
    m_databaseName = databaseName;
    m_fault = fault;
    const QString notice = noticeFor(fault, detail, m_options.busyTimeoutMs);
    if (m_watching)
        m_dataVersion = dataVersion();
    emit backingChanged();
    if (notice != m_notice) {
        m_notice = notice;
        emit noticeChanged(m_notice);
    }
}

void TapeStore::closeReader()
{
    if (m_readerName.isEmpty())
        return;
    TapeDatabase::disconnect(m_readerName);
    m_readerName.clear();
}

qint64 TapeStore::dataVersion()
{
    // Nothing to ask before the tape has opened (backingChanged notes the
    // version then).
    const QSqlDatabase db = reader();
    if (!db.isOpen())
        return -1;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

void TapeStore::checkDataVersion()
{
    const qint64 version = dataVersion();
    if (version != m_dataVersion) {
        m_dataVersion = version;
        emit tapeChanged();
    }
}

} // namespace hitungrama
