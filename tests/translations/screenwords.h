#pragma once

// How the translation tests tell a text's language: by its words.

#include <QSet>
#include <QString>
#include <QStringList>

namespace hitungrama::test {

// Captions that read the same in every language: symbols and abbreviations.
const QStringList &keptCaptions();

// Names of keys as their caps read, in every language.
const QSet<QString> &keyCaps();

// Qt's own English words that its boxes, menus and file dialog show, in
// lower case; "OK" and "Folder" are Indonesian too.
const QSet<QString> &qtEnglishWords();

// The words of a text in lower case: runs of two letters or more, once the
// access keys' "&" and every kept caption standing apart are taken out.
QStringList wordsOf(const QString &text);

// The words of a text that belong to the set given.
QStringList wordsIn(const QString &text, const QSet<QString> &words);

// Words the Indonesian texts share with their English translations: names,
// loanwords and English words the Indonesian quotes, in lower case.
const QSet<QString> &sharedWords();

// A catalogue of ours read as word sets. For hitungrama_en.ts: english, the
// words each translation adds to its source, and the shared words;
// indonesian, the words of the sources that are neither English nor key
// caps. A translation that keeps a word of its source gives no evidence
// that the word is English. For qt_id.ts, sources holds Qt's own English.
struct CatalogueWords {
    QSet<QString> sources;
    QSet<QString> english;
    QSet<QString> indonesian;
    int messages = 0;
};
CatalogueWords readCatalogue(const QString &path);

} // namespace hitungrama::test
