#include "tape/tapewriter.h"

#include "tape/tapedatabase.h"
#include "tape/tapekeeping.h"
#include "tape/tapequery.h"
#include "tape/tapeschema.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <algorithm>

#include <fcntl.h>

namespace hitungrama {

Q_LOGGING_CATEGORY(lcTapeWriter, "hitungrama.tape")

namespace {

constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
const char *const companions[] = {"-wal", "-shm"};
// What SQLite pairs with a database file by name, kept with a bad file.
const char *const pairedFiles[] = {"-wal", "-shm", "-journal"};

bool taken(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// "<path>.rusak-<UTC time>", numbered when that name, or it with one of the
// suffixes, is taken.
QString keptName(const QString &path, const QStringList &suffixes = {QString()})
{
    const QString base = path + QLatin1String(".rusak-")
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString name = base;
    for (int n = 2; std::any_of(suffixes.begin(), suffixes.end(),
                                [&name](const QString &suffix) { return taken(name + suffix); });
         ++n) {
        name = base + QLatin1Char('-') + QString::number(n);
    }
    return name;
}

// Whether a rollback journal beside the file is a stray: SQLite's header
// of the file says WAL (its magic string, then 2 as the file format's write
// or read version, bytes 18 and 19), and no other program holds the lock on
// SQLite's reserved byte that comes with a live journal (one switching a new
// tape to WAL writes a journal for a moment).
bool hasStrayJournal(const QString &path)
{
    constexpr off_t reservedByte = 0x40000001;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(20);
    if (header.size() < 20 || !header.startsWith(QByteArray("SQLite format 3", 16))
        || (header[18] != 2 && header[19] != 2)) {
        return false;
    }
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = reservedByte;
    lock.l_len = 1;
    return ::fcntl(file.handle(), F_GETLK, &lock) == 0 && lock.l_type == F_UNLCK;
}

TapeFault faultOf(const QSqlError &error)
{
    switch (TapeDatabase::classify(error)) {
    case TapeDatabase::ErrorKind::Busy:
        return TapeFault::Locked;
    case TapeDatabase::ErrorKind::Full:
        return TapeFault::DiskFull;
    case TapeDatabase::ErrorKind::Unwritable:
        return TapeFault::FolderUnwritable;
    case TapeDatabase::ErrorKind::BadFile:
    case TapeDatabase::ErrorKind::Other:
        break;
    }
    return TapeFault::WriteFailed;
}

} // namespace

TapeWriter::TapeWriter(const TapeOptions &options, QObject *parent)
    : QObject(parent), m_options(options)
{
}

TapeWriter::~TapeWriter()
{
    closeConnection();
}

void TapeWriter::open(const QString &path)
{
    if (m_backing == TapeBacking::Disk) {
        closeConnection();
        m_backing = TapeBacking::None;
    }
    m_diskPath = path;
    m_diskBarred = false;
    m_runIds.clear();
    settleBacking();
}

void TapeWriter::append(const TapeLine &line)
{
    if (!settleBacking())
        return;
    QList<TapeLine> lines{line};
    lines[0].id = 0;
    if (!lines[0].time.isValid())
        lines[0].time = QDateTime::currentDateTimeUtc();
    const QSqlError error = write([&lines](QSqlDatabase &db) { return TapeDatabase::insert(db, lines); });
    if (error.isValid()) {
        qCWarning(lcTapeWriter, "a line could not be written: %s", qUtf8Printable(error.text()));
        return;
    }
    if (m_backing == TapeBacking::Disk)
        m_runIds << lines[0].id;
    emit lineCommitted(lines[0]);
}

void TapeWriter::remove(const QList<qint64> &ids)
{
    if (ids.isEmpty() || !settleBacking())
        return;
    const QSqlError error = write([&ids](QSqlDatabase &db) { return TapeDatabase::remove(db, ids); });
    if (error.isValid())
        qCWarning(lcTapeWriter, "lines could not be deleted: %s", qUtf8Printable(error.text()));
    for (qint64 id : ids)
        m_runIds.removeOne(id);
    emit linesRemoved(ids);
}

void TapeWriter::clear()
{
    if (!settleBacking())
        return;
    const QSqlError error = write([](QSqlDatabase &db) { return TapeDatabase::clear(db); });
    if (error.isValid())
        qCWarning(lcTapeWriter, "the tape could not be cleared: %s", qUtf8Printable(error.text()));
    if (m_backing == TapeBacking::Disk)
        m_runIds.clear();
    emit cleared();
}

void TapeWriter::eraseKept()
{
    settleBacking();
    if (m_backing == TapeBacking::Disk) {
        clear();
        return;
    }
    // A file that is not a usable tape (newer, damaged, unwritable, a link)
    // is not ours to change.
    const QFileInfo file(m_diskPath);
    if (m_diskBarred || file.isSymLink() || !file.isFile())
        return;
    QString stray;
    if (!setAsideStrays(&stray)) {
        qCWarning(lcTapeWriter, "the kept lines are left: %s could not be set aside", qUtf8Printable(stray));
        return;
    }
    const QString connection = newConnectionName();
    QSqlError error = TapeDatabase::connect(connection, m_diskPath, TapeDatabase::Access::ReadWrite,
                                            m_options.busyTimeoutMs);
    if (!error.isValid()) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection, false);
            const TapeSchema::State state = TapeSchema::inspect(db, &error);
            if (!error.isValid() && state == TapeSchema::State::Current) {
                error = TapeDatabase::configureWriter(db, true, m_options.maxPageCount,
                                                      m_options.busyTimeoutMs);
                if (!error.isValid())
                    error = TapeDatabase::clear(db);
            }
        }
        TapeDatabase::disconnect(connection);
    }
    if (error.isValid())
        qCWarning(lcTapeWriter, "the kept lines could not be deleted: %s", qUtf8Printable(error.text()));
    else
        m_runIds.clear();
}

void TapeWriter::settle()
{
    settleBacking();
}

void TapeWriter::shutdown()
{
    closeConnection();
    m_backing = TapeBacking::None;
}

// Runs a write on the tape in use; when the disk fails it, the tape moves to
// memory and the write is done there.
QSqlError TapeWriter::write(const std::function<QSqlError(QSqlDatabase &)> &work)
{
    const auto run = [&] {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        return work(db);
    };
    QSqlError error = run();
    if (error.isValid() && m_backing == TapeBacking::Disk) {
        failDisk(error);
        error = run();
    }
    return error;
}

bool TapeWriter::settleBacking()
{
    if (!m_keeping)
        m_keeping = std::make_unique<TapeKeeping>(m_options.settingsFile);
    const bool wantDisk = !m_diskPath.isEmpty() && !m_diskBarred && m_keeping->isOn();
    if (wantDisk && m_backing != TapeBacking::Disk) {
        QString connection;
        QString detail;
        const TapeFault fault = openDisk(&connection, &detail);
        if (fault != TapeFault::None) {
            m_fault = fault;
            m_detail = detail;
        }
        if (!connection.isEmpty()) {
            closeConnection();
            m_connection = connection;
            m_databaseName = m_diskPath;
            m_backing = TapeBacking::Disk;
        } else {
            m_diskBarred = true;
            if (m_backing != TapeBacking::Memory)
                useMemory();
        }
        announce();
    } else if (!wantDisk && m_backing != TapeBacking::Memory) {
        useMemory();
        announce();
    }
    return m_backing != TapeBacking::None;
}

TapeFault TapeWriter::openDisk(QString *connection, QString *detail)
{
    const QFileInfo file(m_diskPath);
    const QString folder = file.absolutePath();
    // Another program starting at the same moment may make the folder or the
    // file first: that one is as good.
    if (!QFileInfo(folder).isDir()) {
        // The tape's own folder is private; its parents are made as usual.
        if ((!QDir().mkpath(QFileInfo(folder).absolutePath())
             || !QDir().mkdir(folder, ownerOnly | QFile::ExeOwner))
            && !QFileInfo(folder).isDir()) {
            *detail = QDir::toNativeSeparators(folder);
            return TapeFault::FolderUnwritable;
        }
    }
    TapeFault fault = probe(detail);
    if (fault != TapeFault::None && fault != TapeFault::BadFileKept)
        return fault;
    if (!QFileInfo::exists(m_diskPath)) {
        QFile create(m_diskPath);
        // Another program starting at the same moment may have made it.
        if (!create.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly)
            && !QFileInfo::exists(m_diskPath)) {
            *detail = QDir::toNativeSeparators(folder);
            return TapeFault::FolderUnwritable;
        }
    }
    // Only the owner may read a tape; SQLite gives new -wal and -shm files
    // the mode of the database file.
    QFile::setPermissions(m_diskPath, ownerOnly);
    for (const char *suffix : companions) {
        if (QFileInfo::exists(m_diskPath + QLatin1String(suffix)))
            QFile::setPermissions(m_diskPath + QLatin1String(suffix), ownerOnly);
    }

    const QString name = newConnectionName();
    TapeSchema::State state = TapeSchema::State::Current;
    const QSqlError error = connectWriter(name, &state);
    if (error.isValid()) {
        fault = faultOf(error);
        *detail = detailOf(fault, error);
        return fault;
    }
    if (state == TapeSchema::State::Newer || state == TapeSchema::State::Foreign) {
        *detail = QDir::toNativeSeparators(m_diskPath);
        return state == TapeSchema::State::Newer ? TapeFault::NewerVersion : TapeFault::BadFileStuck;
    }
    *connection = name;
    return fault;
}

// Opens the writer's connection to the file, looks at the file again (this
// connection also reads a WAL the probe could not see), sets the connection
// up and brings the tables up to date. A file that is not a tape to write is
// left closed, with its state.
QSqlError TapeWriter::connectWriter(const QString &name, TapeSchema::State *state)
{
    QSqlError error = TapeDatabase::connect(name, m_diskPath, TapeDatabase::Access::ReadWrite,
                                            m_options.busyTimeoutMs);
    if (error.isValid())
        return error;
    bool usable = false;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        *state = TapeSchema::inspect(db, &error);
        usable = !error.isValid() && *state != TapeSchema::State::Newer
            && *state != TapeSchema::State::Foreign;
        if (usable)
            error = TapeDatabase::configureWriter(db, true, m_options.maxPageCount,
                                                  m_options.busyTimeoutMs);
        if (usable && !error.isValid())
            error = TapeSchema::migrate(db);
        usable = usable && !error.isValid();
    }
    if (!usable)
        TapeDatabase::disconnect(name);
    return error;
}

QString TapeWriter::detailOf(TapeFault fault, const QSqlError &error) const
{
    return fault == TapeFault::FolderUnwritable
        ? QDir::toNativeSeparators(QFileInfo(m_diskPath).absolutePath())
        : error.text();
}

// Looks at an existing file before SQLite opens it: a link or what is not
// a file is bad (SQLite would write through a link, and the tape's mode
// would be set on its target); one that can't be read is left as it is.
// The rest is opened as immutable, which reads the file alone and changes
// nothing (not even the -shm beside it). A bad file is set aside.
TapeFault TapeWriter::probe(QString *detail)
{
    const QFileInfo info(m_diskPath);
    bool bad = info.isSymLink() || (info.exists() && !info.isFile());
    if (!bad && info.exists() && !info.isReadable()) {
        *detail = QDir::toNativeSeparators(m_diskPath);
        return TapeFault::FileUnreadable;
    }
    QString stray;
    if (!bad && !setAsideStrays(&stray)) {
        *detail = QDir::toNativeSeparators(stray);
        return TapeFault::BadFileStuck;
    }
    if (!bad && info.size() > 0) {
        const QString name = newConnectionName();
        const QString uri =
            QUrl::fromLocalFile(m_diskPath).toString(QUrl::FullyEncoded) + QLatin1String("?immutable=1");
        QSqlError error = TapeDatabase::connect(name, uri, TapeDatabase::Access::ReadOnly,
                                                m_options.busyTimeoutMs);
        TapeSchema::State state = TapeSchema::State::Foreign;
        if (!error.isValid()) {
            {
                QSqlDatabase db = QSqlDatabase::database(name, false);
                state = TapeSchema::inspect(db, &error);
            }
            TapeDatabase::disconnect(name);
        }
        if (error.isValid()) {
            if (TapeDatabase::classify(error) != TapeDatabase::ErrorKind::BadFile) {
                const TapeFault fault = faultOf(error);
                *detail = detailOf(fault, error);
                return fault;
            }
            bad = true;
        } else if (state == TapeSchema::State::Newer) {
            *detail = QDir::toNativeSeparators(m_diskPath);
            return TapeFault::NewerVersion;
        } else {
            bad = state == TapeSchema::State::Foreign;
        }
    }
    if (!bad)
        return TapeFault::None;
    QString kept;
    if (!setAside(&kept)) {
        *detail = QDir::toNativeSeparators(m_diskPath);
        return TapeFault::BadFileStuck;
    }
    *detail = QDir::toNativeSeparators(kept);
    return TapeFault::BadFileKept;
}

// Renames what SQLite must not open beside the tape, each to "<its
// name>.rusak-<UTC time>": a -wal or -shm that is a link, and a rollback
// journal beside a file in WAL mode. The tape never makes one (it is always
// in WAL mode), and SQLite would roll another database's pages from it into
// the tape. False, with the path, when one can't be renamed.
bool TapeWriter::setAsideStrays(QString *stray)
{
    QStringList strays;
    for (const char *suffix : companions) {
        if (QFileInfo(m_diskPath + QLatin1String(suffix)).isSymLink())
            strays << m_diskPath + QLatin1String(suffix);
    }
    // The journal is looked for first: the file is opened only beside one.
    const QString journal = m_diskPath + QLatin1String("-journal");
    if (taken(journal) && hasStrayJournal(m_diskPath))
        strays << journal;
    for (const QString &path : std::as_const(strays)) {
        const QString kept = keptName(path);
        if (!QDir().rename(path, kept)) {
            *stray = path;
            return false;
        }
        qCWarning(lcTapeWriter, "%s is not the tape's and was set aside as %s", qUtf8Printable(path),
                  qUtf8Printable(kept));
    }
    return true;
}

// Renames the file to "<name>.rusak-<UTC time>" and its -wal, -shm and
// -journal files to the same name with their suffix, so SQLite still pairs
// them when someone opens the kept file. Links are renamed, not followed.
// Nothing is deleted.
bool TapeWriter::setAside(QString *keptPath)
{
    QStringList suffixes{QString()};
    for (const char *suffix : pairedFiles)
        suffixes << QLatin1String(suffix);
    const QString target = keptName(m_diskPath, suffixes);
    if (!QDir().rename(m_diskPath, target))
        return false;
    for (const char *suffix : pairedFiles) {
        const QString companion = m_diskPath + QLatin1String(suffix);
        if (taken(companion) && !QDir().rename(companion, target + QLatin1String(suffix)))
            qCWarning(lcTapeWriter, "%s could not be set aside", qUtf8Printable(companion));
    }
    *keptPath = target;
    return true;
}

void TapeWriter::failDisk(const QSqlError &error)
{
    m_fault = faultOf(error);
    m_detail = detailOf(m_fault, error);
    qCWarning(lcTapeWriter, "the tape moves to memory: %s", qUtf8Printable(error.text()));
    m_diskBarred = true;
    useMemory();
    announce();
}

// Starts an in-memory tape holding the lines this run wrote to the file (as
// far as the file can still be read), with their ids.
void TapeWriter::useMemory()
{
    QList<TapeLine> carried;
    if (m_backing == TapeBacking::Disk)
        carried = TapeQuery::linesWithIds(QSqlDatabase::database(m_connection, false), m_runIds);
    closeConnection();
    m_runIds.clear();
    m_backing = TapeBacking::None;
    const QString name = newConnectionName();
    // A named memdb database is shared by every connection to it in this
    // process, with locking: the reader on the GUI thread sees it too.
    const QString uri = QStringLiteral("file:/%1?vfs=memdb").arg(name);
    QSqlError error =
        TapeDatabase::connect(name, uri, TapeDatabase::Access::ReadWrite, m_options.busyTimeoutMs);
    if (error.isValid()) {
        qCWarning(lcTapeWriter, "no in-memory tape: %s", qUtf8Printable(error.text()));
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        error = TapeDatabase::configureWriter(db, false, 0);
        if (!error.isValid())
            error = TapeSchema::migrate(db);
        if (!error.isValid() && !carried.isEmpty())
            error = TapeDatabase::insertWithIds(db, carried);
    }
    if (error.isValid())
        qCWarning(lcTapeWriter, "the in-memory tape failed: %s", qUtf8Printable(error.text()));
    m_connection = name;
    m_databaseName = uri;
    m_backing = TapeBacking::Memory;
}

void TapeWriter::closeConnection()
{
    if (m_connection.isEmpty())
        return;
    TapeDatabase::disconnect(m_connection);
    m_connection.clear();
    m_databaseName.clear();
}

QString TapeWriter::newConnectionName()
{
    return QStringLiteral("hitungrama-tape-writer-%1-%2")
        .arg(quintptr(this), 0, 16)
        .arg(++m_serial);
}

void TapeWriter::announce()
{
    emit backingChanged(m_backing, m_databaseName, m_fault, m_detail);
}

} // namespace hitungrama
