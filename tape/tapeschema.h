#pragma once

// The tape's tables and their versions. The version is SQLite's
// user_version; each version has one migration step, run in order in one
// transaction, so a tape of any older version is brought up to date and a
// new file is simply a tape of version 0. SQLite's application_id marks the
// file as a tape: set with the first step, and on tapes of earlier versions
// of the program, which left it 0; a file with another id is not a tape.
//
// Version 1:
//   line(id INTEGER PRIMARY KEY AUTOINCREMENT, time INTEGER (ms since the
//        epoch, UTC), expression TEXT, result TEXT, binary INTEGER 0/1,
//        text = expression || ' = ' || result, a virtual generated column)
//   line_text: an FTS5 index of line.text with the trigram tokenizer,
//        external content (the text is stored once, in line). The code that
//        writes lines keeps it in step in the same transaction
//        (TapeDatabase), which lets "delete all" clear it in one step
//        instead of one trigger per row.

#include <QSqlDatabase>
#include <QSqlError>
#include <QtGlobal>

namespace hitungrama::TapeSchema {

constexpr int version = 1;
// "Htgr".
constexpr qint32 applicationId = 0x48746772;

enum class State {
    Empty,   // no tables and version 0: a new file
    Older,   // ours, of an older version: migrate
    Current, // ours, of this version
    Newer,   // a higher version than this program knows: leave it alone
    Foreign, // another application's id, tables that are not a tape, or a
             // version without its tables
};

// Reads the version and the tables. An unreadable file (not a database,
// damaged, locked) gives an error and no state.
State inspect(QSqlDatabase &db, QSqlError *error);

// Runs the steps from the stored version up to `version` and sets the
// version and, where it is still 0, the application id, all in one write
// transaction (nothing to do for a current tape that has its id).
// The caller has checked with inspect() that the file is a tape.
QSqlError migrate(QSqlDatabase &db);

// The version stored in the file (0 when unreadable).
int storedVersion(QSqlDatabase &db);
// The application id stored in the file (0 when unset or unreadable).
qint32 storedApplicationId(QSqlDatabase &db);

} // namespace hitungrama::TapeSchema
