#pragma once

// Every tape test works in a temporary folder of its own: the tape file,
// its settings file and anything it makes, never the user's.

#include "tape/tapeline.h"
#include "tape/tapestate.h"
#include "tape/tapestore.h"

#include <QByteArray>
#include <QProcess>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hitungrama {

class TapeFixture : public ::testing::Test {
protected:
    // A connection of the test's own to a tape file, closed when it goes.
    class Connection {
    public:
        explicit Connection(const QString &file);
        ~Connection();
        QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
        void exec(const QString &sql) const;
        qint64 value(const QString &sql) const;

    private:
        const QString m_name = QStringLiteral("test-%1").arg(quintptr(this), 0, 16);
    };

    // The tape lives in a subfolder that the store must make.
    QString tapePath() const { return m_folder.filePath(QStringLiteral("data/riwayat.sqlite")); }
    QString path(const QString &name) const { return m_folder.filePath(name); }
    TapeOptions options() const;

    // A store with the tape opened and settled.
    std::unique_ptr<TapeStore> openStore(const TapeOptions &options);
    std::unique_ptr<TapeStore> openStore() { return openStore(options()); }
    // Appends and waits until the lines are written.
    static void append(TapeStore &store, const QStringList &expressions);
    // Writes lines straight into the tape file in one transaction.
    void bulkInsert(const QStringList &expressions) const;
    static TapeLine line(const QString &expression, const QString &result = QStringLiteral("1"))
    {
        return {0, {}, expression, result, false};
    }
    static QStringList texts(const QList<TapeLine> &lines);
    // "from" to "to" as expressions, and the texts of lines of them.
    static QStringList numbers(int from, int to);
    static QStringList asLines(const QStringList &expressions);
    // The bytes of the tape file and of its -wal and -shm files.
    static QByteArray fileBytes(const QString &tape);
    // The helper program on a tape: COUNT lines tagged TAG; then its output
    // lines (see tapehelper.cpp).
    std::unique_ptr<QProcess> startHelper(const QString &tape, int count, const QString &tag,
                                          const QStringList &asUser = QStringList()) const;
    // Mode bits don't stop root: as root the helper runs as nobody (65534),
    // and the temporary folder is opened to it.
    QStringList asNobody() const;
    static QStringList helperOutput(QProcess &helper);

    QTemporaryDir m_folder;
};

} // namespace hitungrama
