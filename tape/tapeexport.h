#pragma once

// TapeExport: the tape as a file, written through QSaveFile so that a
// failed export leaves no half file behind.
//
// CSV follows RFC 4180: a header row, then one row a line with the time in
// ISO 8601 (UTC, milliseconds), the expression, the result and the binary
// flag (1 or 0); CRLF line ends; a field holding a quote, a comma, CR or LF
// is quoted, its quotes doubled. Plain text has one line a line, as copy
// gives it ("12 + 3 * 4 = 60"), line breaks inside a message turned into
// spaces, LF line ends. Lines come in chunks, so a million of them are
// never in memory at once.

#include "tape/tapeline.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>

namespace hitungrama {

class TapeExport {
    Q_DECLARE_TR_FUNCTIONS(TapeExport)

public:
    enum class Format { Csv, Text };

    // ".csv" (any case) is CSV; anything else plain text.
    static Format formatFor(const QString &path);

    static QByteArray csvHeader();
    static QByteArray csvRow(const TapeLine &line);
    static QByteArray textRow(const TapeLine &line);
    // The lines as copy gives them: one text a line, LF between them.
    static QString plainText(const QList<TapeLine> &lines);

    // Writes the lines that `nextChunk` gives, oldest first, until it gives
    // an empty chunk. `chunkFailed`, when given, says after the end whether
    // reading failed. On failure returns false, leaves no file and puts why
    // in `error` (Indonesian, for a message box).
    static bool save(const QString &path, Format format,
                     const std::function<QList<TapeLine>()> &nextChunk, QString *error,
                     const std::function<bool()> &chunkFailed = {});
};

} // namespace hitungrama
