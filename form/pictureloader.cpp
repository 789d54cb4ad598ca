#include "form/pictureloader.h"

#include <QImageReader>
#include <QtMath>
#include <QtDebug>

#include <cmath>
#include <system_error>

namespace hitungrama {

PictureLoader::~PictureLoader()
{
    if (m_pending.valid())
        m_pending.wait();
}

void PictureLoader::start(const QString &path, const QSize &visible, qreal ratio)
{
    m_ratio = ratio;
    if (path.isEmpty())
        return;
    if (m_pending.valid())
        m_pending.wait();
    try {
        m_pending = std::async(std::launch::async, &PictureLoader::decode, path, visible, ratio);
    } catch (const std::system_error &) {
        // No thread to spare: decode now.
        m_image = decode(path, visible, ratio);
    }
}

const QImage &PictureLoader::image()
{
    if (m_pending.valid())
        m_image = m_pending.get();
    return m_image;
}

QImage PictureLoader::decode(const QString &path, const QSize &visible, qreal ratio)
{
    QImageReader reader(path);
    const QSize full = reader.size();
    if (full.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), full.boundedTo(visible)));
    QImage image = reader.read();
    if (image.isNull()) {
        qWarning("cannot load the picture %s: %s", qPrintable(path), qPrintable(reader.errorString()));
        return image;
    }
    if (ratio == 1.0 || !std::isfinite(ratio) || ratio <= 0.0 || ratio > 16.0)
        return image;
    QImage scaled = image.scaled(qCeil(image.width() * ratio), qCeil(image.height() * ratio),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

} // namespace hitungrama
