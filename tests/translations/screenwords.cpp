#include "screenwords.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace hitungrama::test {

namespace {

// Captions that read the same in every language: symbols and abbreviations.
const QStringList kKeptCaptions = {
    "Back-Space", "ABOUT", "ON", "OFF", "CE", "M+", "M-", "MRC", "Sin", "Cos", "Tan",
    "Sqrt", "log", "x^2", "x^3", "x^y", "mod", "Tbl", "Prm", "BIN", "+/-", "->", "<-",
};

// Words the Indonesian texts share with their English translations: names,
// loanwords and English words the Indonesian quotes, in lower case.
const QSet<QString> kSharedWords = {
    "hitungrama", "quodrel", "zodir", "https", "example", "org", "accept", "can",
    "clear", "disk", "folder", "keyboard", "keypad", "memory", "mouse", "overflow",
    "program", "table", "csv", "txt",
};

} // namespace

const QSet<QString> &keyCaps()
{
    static const QSet<QString> keys = {"alt", "ctrl", "shift", "insert", "delete", "del", "esc",
                                       "backspace", "enter", "return", "space", "tab"};
    return keys;
}

const QSet<QString> &qtEnglishWords()
{
    static const QSet<QString> words = {
        "yes", "no", "cancel", "save", "open", "close", "undo", "redo", "cut", "copy", "paste",
        "delete", "select", "all", "apply", "reset", "help", "discard", "abort", "retry",
        "ignore", "look", "file", "files", "name", "type", "size", "date", "modified", "back",
        "forward", "parent", "directory", "create", "new", "view", "list", "detail", "rename",
        "show", "hidden", "sidebar", "as",
    };
    return words;
}

QStringList wordsOf(const QString &text)
{
    static const QRegularExpression nonLetters(QStringLiteral("[^\\p{L}]+"));
    QString rest = text;
    rest.remove(QLatin1Char('&'));
    for (const QString &caption : kKeptCaptions) {
        const QRegularExpression apart(QStringLiteral("(?<!\\p{L})") + QRegularExpression::escape(caption)
                                       + QStringLiteral("(?!\\p{L})"));
        rest.replace(apart, QStringLiteral(" "));
    }
    QStringList words;
    for (const QString &word : rest.split(nonLetters, Qt::SkipEmptyParts)) {
        if (word.size() >= 2)
            words << word.toLower();
    }
    return words;
}

QStringList wordsIn(const QString &text, const QSet<QString> &words)
{
    QStringList found;
    for (const QString &word : wordsOf(text)) {
        if (words.contains(word))
            found << word;
    }
    return found;
}

CatalogueWords readCatalogue(const QString &path)
{
    CatalogueWords result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    QString source;
    QStringList translations;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("message")) {
            source.clear();
            translations.clear();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("translation")) {
            // A plural's forms come as one text.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!text.trimmed().isEmpty())
                translations << text;
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            ++result.messages;
            const QStringList words = wordsOf(source);
            const QSet<QString> own(words.begin(), words.end());
            result.sources.unite(own);
            for (const QString &translation : translations) {
                const QStringList translated = wordsOf(translation);
                result.english.unite(QSet<QString>(translated.begin(), translated.end()) - own);
            }
        }
    }
    result.english.unite(kSharedWords);
    result.indonesian = result.sources - result.english - keyCaps();
    return result;
}

} // namespace hitungrama::test
