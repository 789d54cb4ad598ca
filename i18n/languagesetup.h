#pragma once

// The language of every text the program shows, its own and Qt's, one at a
// time. Indonesian is the language of the sources; English comes from the
// embedded catalogue hitungrama_en. Qt's own texts are English in Qt's
// sources, so Indonesian loads our catalogue of them (qt_id) and English
// loads nothing for Qt. ProgramStart follows the desktop; the harness fixes
// Indonesian unless asked for English.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace hitungrama {

enum class Language { Indonesian, English };

namespace LanguageSetup {

// The language for a desktop that names uiLanguages, most wanted first, in
// the form QLocale::uiLanguages() gives ("en-GB", "id", "C"): the first one
// the program ships, whatever its region. Where none is shipped, Indonesian
// when the messages locale is C, POSIX or unset (cLocale), so scripts keep
// their texts; otherwise English, which more users read than Indonesian.
Language choose(const QStringList &uiLanguages, bool cLocale);

// Whether a locale name, as LC_ALL, LC_MESSAGES or LANG holds it, is the C
// locale under any of its names, or none at all.
bool isCLocale(const QByteArray &name);

// The desktop's language: choose() over QLocale::system().uiLanguages(),
// which Qt takes from LANGUAGE first (even under LC_ALL=C), else from the
// first set of LC_ALL, LC_MESSAGES and LANG, the locale judged by
// isCLocale().
Language forDesktop();

// Replaces the catalogues installed by an earlier call with those of
// language. Needs the application object. The layout stays left to right in
// every language.
void install(Language language);

// The language install() set last in this application, none before.
std::optional<Language> installed();

// The language's code as options name it ("id", "en"), and back; nullopt for
// any other text.
QString code(Language language);
std::optional<Language> fromCode(const QString &code);

} // namespace LanguageSetup

} // namespace hitungrama
