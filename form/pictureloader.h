#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <future>

namespace hitungrama {

// Decodes the window's picture on a worker thread while the window builds
// its controls; the first paint takes the result. Only the visible top-left
// part is decoded. Above a device pixel ratio of 1 that part is resampled
// from the source to device pixels (one source pixel stays one logical
// pixel), so the picture is not blown up pixel by pixel.
class PictureLoader {
public:
    PictureLoader() = default;
    PictureLoader(const PictureLoader &) = delete;
    PictureLoader &operator=(const PictureLoader &) = delete;
    ~PictureLoader();

    void start(const QString &path, const QSize &visible, qreal ratio = 1.0);
    // The ratio of the last start.
    qreal ratio() const { return m_ratio; }

    // Waits for the decoding once; a null image when there is none.
    const QImage &image();

    static QImage decode(const QString &path, const QSize &visible, qreal ratio = 1.0);

private:
    std::future<QImage> m_pending;
    QImage m_image;
    qreal m_ratio = 1.0;
};

} // namespace hitungrama
