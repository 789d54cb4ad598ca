#include "app/fontsetup.h"

#include <QFile>
#include <QFont>

#include <fontconfig/fontconfig.h>

namespace hitungrama::FontSetup {

namespace {

const char *const kWineFonts = "/usr/share/wine/fonts/";

} // namespace

QStringList registerScalableFiles(const QStringList &paths)
{
    // The faces go straight into fontconfig's application set, so that Qt
    // finds them when it first reads the font list. Registering them through
    // Qt instead would make it read the whole list, then drop it and read it
    // again, which doubled the font work of start-up.
    QStringList kept;
    FcConfig *config = FcConfigGetCurrent();
    for (const QString &path : paths) {
        if (!QFile::exists(path))
            continue;
        const QByteArray file = QFile::encodeName(path);
        const auto *name = reinterpret_cast<const FcChar8 *>(file.constData());
        int faces = 0;
        FcPattern *face = FcFreeTypeQuery(name, 0, nullptr, &faces);
        if (!face)
            continue;
        FcBool outline = FcFalse;
        FcChar8 *family = nullptr;
        const bool scalable =
            FcPatternGetBool(face, FC_OUTLINE, 0, &outline) == FcResultMatch && outline;
        if (scalable && FcPatternGetString(face, FC_FAMILY, 0, &family) == FcResultMatch
            && FcConfigAppFontAddFile(config, name)) {
            kept << QString::fromUtf8(reinterpret_cast<const char *>(family));
        }
        FcPatternDestroy(face);
    }
    kept.removeDuplicates();
    return kept;
}

QStringList install()
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

} // namespace hitungrama::FontSetup
