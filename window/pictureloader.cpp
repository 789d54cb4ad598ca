#include "window/pictureloader.h"

#include <QImageReader>
#include <QtDebug>

#include <system_error>

namespace hitungrama {

PictureLoader::~PictureLoader()
{
    if (m_pending.valid())
        m_pending.wait();
}

void PictureLoader::start(const QString &path, const QSize &visible)
{
    if (path.isEmpty())
        return;
    try {
        m_pending = std::async(std::launch::async, &PictureLoader::decode, path, visible);
    } catch (const std::system_error &) {
        // No thread to spare: decode now.
        m_image = decode(path, visible);
    }
}

const QImage &PictureLoader::image()
{
    if (m_pending.valid())
        m_image = m_pending.get();
    return m_image;
}

QImage PictureLoader::decode(const QString &path, const QSize &visible)
{
    QImageReader reader(path);
    const QSize full = reader.size();
    if (full.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(visible)));
    QImage image = reader.read();
    if (image.isNull())
        qWarning("cannot load the picture %s: %s", qPrintable(path), qPrintable(reader.errorString()));
    return image;
}

} // namespace hitungrama
