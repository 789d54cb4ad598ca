#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <future>

namespace hitungrama {

// Decodes the window's picture on a worker thread while the window builds
// its controls; the first paint takes the result. Only the visible top-left
// part is decoded.
class PictureLoader {
public:
    PictureLoader() = default;
    PictureLoader(const PictureLoader &) = delete;
    PictureLoader &operator=(const PictureLoader &) = delete;
    ~PictureLoader();

    void start(const QString &path, const QSize &visible);

    // Waits for the decoding once; a null image when there is none.
    const QImage &image();

    static QImage decode(const QString &path, const QSize &visible);

private:
    std::future<QImage> m_pending;
    QImage m_image;
};

} // namespace hitungrama
