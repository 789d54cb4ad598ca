#pragma once

// How the translation tests tell a text's language: by its words.

#include <QSet>
#include <QString>
#include <QStringList>

namespace hitungrama::test {

// Names of keys as their caps read, in every language.
const QSet<QString> &keyCaps();

// Qt's own English words that its boxes, menus and file dialog show, in
// lower case; "OK" and "Folder" are Indonesian too.
const QSet<QString> &qtEnglishWords();

// The words of a text in lower case: runs of two letters or more, once the
// access keys' "&" and every caption kept in every language (a symbol or an
// abbreviation) standing apart are taken out.
QStringList wordsOf(const QString &text);

// The words of a text that belong to the set given.
QStringList wordsIn(const QString &text, const QSet<QString> &words);

// A catalogue of ours read as word sets. For hitungrama_en.ts: english, the
// words each translation adds to its source, and the words both languages
// share (names, loanwords, quoted English); indonesian, the words of the
// sources that are neither English nor key caps. A translation that keeps a
// word of its source gives no evidence that the word is English. For
// qt_id.ts, sources holds Qt's own English.
struct CatalogueWords {
    QSet<QString> sources;
    QSet<QString> english;
    QSet<QString> indonesian;
    int messages = 0;
};
CatalogueWords readCatalogue(const QString &path);

} // namespace hitungrama::test
