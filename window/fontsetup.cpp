#include "window/fontsetup.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace hitungrama {

namespace {

const char *const kWineFonts = "/usr/share/wine/fonts/";

} // namespace

QStringList FontSetup::registerScalableFiles(const QStringList &paths)
{
    QStringList kept;
    for (const QString &path : paths) {
        if (!QFile::exists(path))
            continue;
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0)
            continue;
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        bool scalable = !families.isEmpty();
        for (const QString &family : families)
            scalable = scalable && QFontDatabase::isSmoothlyScalable(family);
        if (scalable)
            kept << families;
        else
            QFontDatabase::removeApplicationFont(id);
    }
    kept.removeDuplicates();
    return kept;
}

QStringList FontSetup::install()
{
    static const QStringList families = [] {
        const QString wine = QString::fromLatin1(kWineFonts);
        const QStringList found =
            registerScalableFiles({wine + QStringLiteral("ms_sans_serif.ttf"),
                                   wine + QStringLiteral("tahoma.ttf"),
                                   wine + QStringLiteral("tahomabd.ttf")});
        // Substitutes apply only where the named face itself is missing.
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                                    QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                                   {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
        return found;
    }();
    return families;
}

} // namespace hitungrama
