#include "tape/tapereaderthread.h"

#include "tape/tapedatabase.h"

#include <QObject>
#include <QThread>

#include <utility>

namespace hitungrama {

namespace {

// A read never waits long: in WAL mode readers are not blocked, and the
// in-memory tape's writer holds its lock for one line at a time.
constexpr int readerBusyTimeoutMs = 250;

} // namespace

TapeReaderThread::TapeReaderThread()
    : m_connectionName(QStringLiteral("hitungrama-tape-thread-%1").arg(quintptr(this), 0, 16))
{
}

TapeReaderThread::~TapeReaderThread()
{
    if (m_thread == nullptr)
        return;
    m_stopping = true;
    // Runs after the jobs already queued, which see stopping() and return.
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            if (!m_databaseName.isEmpty())
                TapeDatabase::disconnect(m_connectionName);
            m_thread->quit();
        },
        Qt::QueuedConnection);
    m_thread->wait();
    delete m_context;
    delete m_thread;
}

void TapeReaderThread::post(const QString &databaseName, std::function<void(const QSqlDatabase &db)> job)
{
    if (m_thread == nullptr) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("tape reader"));
        m_context = new QObject;
        m_context->moveToThread(m_thread);
        m_thread->start();
    }
    QMetaObject::invokeMethod(
        m_context,
        [this, databaseName, job = std::move(job)] {
            if (!m_stopping)
                job(connection(databaseName));
        },
        Qt::QueuedConnection);
}

QSqlDatabase TapeReaderThread::connection(const QString &databaseName)
{
    if (databaseName != m_databaseName) {
        if (!m_databaseName.isEmpty())
            TapeDatabase::disconnect(m_connectionName);
        m_databaseName.clear();
        if (!databaseName.isEmpty()
            && !TapeDatabase::connect(m_connectionName, databaseName, TapeDatabase::Access::ReadOnly,
                                      readerBusyTimeoutMs)
                    .isValid()) {
            m_databaseName = databaseName;
        }
    }
    return m_databaseName.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(m_connectionName, false);
}

} // namespace hitungrama
