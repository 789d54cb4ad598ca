#pragma once

// The words the store and its writer share: where the tape lives now, why
// it is not on disk, and the store's limits.

#include <QMetaType>
#include <QString>

namespace hitungrama {

enum class TapeBacking {
    None,   // not opened yet
    Disk,   // the tape file
    Memory, // an in-memory tape for this run: this run's lines only
};

// Why the tape is where it is; each has its notice (TapeStore::notice).
enum class TapeFault {
    None,
    BadFileKept,      // the file was unreadable and is kept aside; a new tape started
    BadFileStuck,     // the file is unreadable and could not be set aside
    NewerVersion,     // a tape of a newer program version, left untouched
    FolderUnwritable, // the folder or file can't be created or written
    FileUnreadable,   // the file's mode forbids reading it; left as it is
    DiskFull,
    Locked,           // another program held the tape longer than the busy timeout
    WriteFailed,      // any other error of SQLite (its text is the detail)
};

struct TapeOptions {
    explicit TapeOptions(const QString &settingsFile) : settingsFile(settingsFile) {}

    // How long a write waits for another program's lock before the tape
    // moves to memory.
    int busyTimeoutMs = 5000;
    // A limit on the file's pages (0: none). Tests use it as a full disk.
    int maxPageCount = 0;
    // The settings file that holds "Simpan riwayat", shared by every program
    // that names it. Required: without one the choice can be neither kept
    // nor shared, so an empty name keeps nothing on disk (see TapeKeeping).
    QString settingsFile;
};

} // namespace hitungrama

Q_DECLARE_METATYPE(hitungrama::TapeBacking)
Q_DECLARE_METATYPE(hitungrama::TapeFault)
