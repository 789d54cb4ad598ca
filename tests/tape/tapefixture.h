#pragma once

// Every tape test works in a temporary folder of its own: the tape file,
// its settings file and anything it makes, never the user's.

#include "tape/tapeline.h"
#include "tape/tapestate.h"
#include "tape/tapestore.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace hitungrama {

class TapeFixture : public ::testing::Test {
protected:
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
    static TapeLine line(const QString &expression, const QString &result = QStringLiteral("1"));
    static QStringList texts(const QList<TapeLine> &lines);
    // The bytes of the tape file and of its -wal file.
    static QByteArray fileBytes(const QString &tape);
    // Runs the helper program: COUNT lines tagged TAG; its output lines.
    QStringList runHelper(const QString &tape, int count, const QString &tag,
                          const QStringList &asUser = QStringList()) const;

    QTemporaryDir m_folder;
};

} // namespace hitungrama
