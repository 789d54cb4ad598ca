// Writes resources/picture.jpg and resources/icons/hitungrama-<size>.png into
// the folder given as the only argument.
#include "artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

namespace {

bool save(const QImage &image, const QString &path, const char *format, int quality)
{
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() || !out.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "no such folder: %s\n", argv[1]);
        return 2;
    }

    bool ok = save(hitungrama::artgen::drawPicture(1024, 768),
                   out.filePath(QStringLiteral("picture.jpg")), "jpg", 88);
    for (const int size : {32, 48, 64, 128, 256}) {
        ok = save(hitungrama::artgen::drawIcon(size),
                  out.filePath(QStringLiteral("icons/hitungrama-%1.png").arg(size)), "png", -1)
            && ok;
    }
    return ok ? 0 : 1;
}
