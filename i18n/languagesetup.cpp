#include "i18n/languagesetup.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace hitungrama::LanguageSetup {

namespace {

// A language the program ships, with its embedded catalogues under :/i18n:
// the program's texts (none for the source language) and Qt's own (none for
// English, Qt's own language).
struct Shipped {
    Language language;
    const char *code;
    const char *program;
    const char *qt;
};

const Shipped kShipped[] = {
    {Language::Indonesian, "id", nullptr, "qt_id"},
    {Language::English, "en", "hitungrama_en", nullptr},
};

// What install() leaves in the application: its translators, found again by
// name, and the language, as a property.
constexpr char kTranslatorName[] = "hitungrama-language";
constexpr char kLanguageProperty[] = "hitungramaLanguage";

const Shipped &shipped(Language language)
{
    for (const Shipped &entry : kShipped) {
        if (entry.language == language)
            return entry;
    }
    return kShipped[0];
}

// The shipped language a BCP 47 or POSIX name ("en-GB", "id_ID.UTF-8")
// names by its primary subtag.
std::optional<Language> shippedLanguage(const QString &name)
{
    qsizetype end = 0;
    while (end < name.size() && name.at(end).isLetter())
        ++end;
    return fromCode(name.left(end));
}

} // namespace

Language choose(const QStringList &uiLanguages, bool cLocale)
{
    for (const QString &name : uiLanguages) {
        if (const std::optional<Language> language = shippedLanguage(name))
            return *language;
    }
    return cLocale ? Language::Indonesian : Language::English;
}

bool isCLocale(const QByteArray &name)
{
    // language[_territory][.codeset][@modifier]: "C.UTF-8" is the C locale.
    qsizetype end = 0;
    while (end < name.size() && name.at(end) != '.' && name.at(end) != '@')
        ++end;
    const QByteArray language = name.left(end);
    return language.isEmpty() || language == "C" || language == "POSIX";
}

Language forDesktop()
{
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    return choose(QLocale::system().uiLanguages(), isCLocale(messages));
}

void install(Language language)
{
    QCoreApplication *application = QCoreApplication::instance();
    if (application == nullptr)
        return;
    const QList<QTranslator *> earlier =
        application->findChildren<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly);
    for (QTranslator *translator : earlier) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    const Shipped &entry = shipped(language);
    for (const char *catalogue : {entry.program, entry.qt}) {
        if (catalogue == nullptr)
            continue;
        auto *translator = new QTranslator(application);
        translator->setObjectName(kTranslatorName);
        const QString file = QStringLiteral(":/i18n/") + QLatin1String(catalogue);
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator);
        } else {
            qWarning("the embedded catalogue %s is missing", qPrintable(file));
            delete translator;
        }
    }
    application->setProperty(kLanguageProperty, int(language));
}

std::optional<Language> installed()
{
    const QCoreApplication *application = QCoreApplication::instance();
    const QVariant language =
        application != nullptr ? application->property(kLanguageProperty) : QVariant();
    if (!language.isValid())
        return std::nullopt;
    return Language(language.toInt());
}

QString code(Language language)
{
    return QLatin1String(shipped(language).code);
}

std::optional<Language> fromCode(const QString &code)
{
    for (const Shipped &entry : kShipped) {
        if (code.compare(QLatin1String(entry.code), Qt::CaseInsensitive) == 0)
            return entry.language;
    }
    return std::nullopt;
}

} // namespace hitungrama::LanguageSetup
