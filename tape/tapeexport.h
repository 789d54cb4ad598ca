#pragma once

// TapeExport: the tape as a file, written through QSaveFile so that a
// failed or cancelled export leaves the old file (or none), never half a file.
//
// CSV follows RFC 4180: a header row, then one row a line with the time in
// ISO 8601 (UTC, milliseconds), the expression, the result and the binary
// flag (1 or 0); CRLF line ends; a field holding a quote, a comma, CR or LF
// is quoted, its quotes doubled. Plain text has one line a line, as copy
// gives it ("12 + 3 * 4 = 60"), line breaks inside a message turned into
// spaces, LF line ends. Lines come in chunks, so a million of them are
// never in memory at once.
//
// The CSV header is data for other programs, not a text of the interface:
// it is the same in every language.

#include "tape/tapeline.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace hitungrama {

class TapeExport {
    Q_DECLARE_TR_FUNCTIONS(TapeExport)

public:
    enum class Format { Csv, Text };

    // ".csv" (any case) is CSV, ".txt" plain text; any other name is written
    // in the format `otherwise` (the filter chosen in the save dialog).
    static Format formatFor(const QString &path, Format otherwise);

    static QByteArray csvHeader();
    static QByteArray csvRow(const TapeLine &line);
    static QByteArray textRow(const TapeLine &line);
    // The lines as copy gives them: one text a line, LF between them.
    static QString plainText(const QList<TapeLine> &lines);

    enum class Outcome { Written, Failed, Cancelled };
    // The next chunk of lines, oldest first; an empty chunk at the end,
    // nothing when reading failed.
    using ChunkSource = std::function<std::optional<QList<TapeLine>>()>;

    // Writes the lines that `nextChunk` gives into `path`, until the end or
    // until `cancel` (when given) is set. Each chunk goes straight to the
    // file and every write is checked, the last one too, before the file
    // takes the old one's place. On failure puts why in `error` (in the
    // installed language, for a message box).
    static Outcome save(const QString &path, Format format, const ChunkSource &nextChunk,
                        QString *error, const std::atomic<bool> *cancel = nullptr);
};

} // namespace hitungrama
