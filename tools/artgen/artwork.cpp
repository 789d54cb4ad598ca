#include "artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace hitungrama::artgen {

namespace {

const QColor kBandBlue(38, 92, 204);
const QColor kArcGrey(214, 214, 214);

// The band is a curved strip from the top edge down to the left edge; its
// colour runs from blue in the corner to white where it meets the ground.
void drawBand(QPainter &painter, int width, int height)
{
    const double w = width;
    const double h = height;
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(w * 0.44, 0);
    band.cubicTo(w * 0.30, h * 0.04, w * 0.10, h * 0.12, 0, h * 0.30);
    band.closeSubpath();

    QLinearGradient fade(0, 0, w * 0.26, h * 0.22);
    fade.setColorAt(0.0, kBandBlue);
    fade.setColorAt(0.35, QColor(112, 152, 228));
    fade.setColorAt(1.0, Qt::white);
    painter.fillPath(band, fade);

    // A lighter seam along the inner edge softens the band's border.
    QPainterPath seam;
    seam.moveTo(w * 0.44, 0);
    seam.cubicTo(w * 0.30, h * 0.04, w * 0.10, h * 0.12, 0, h * 0.30);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 6));
    painter.drawPath(seam);
}

void drawArcs(QPainter &painter, int width, int height)
{
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(width * 1.05, height * 1.15);
    for (int radius = 260; radius <= 1500; radius += 70) {
        QColor colour = kArcGrey;
        colour.setAlpha(radius % 140 == 0 ? 120 : 70);
        painter.setPen(QPen(colour, 1.6));
        painter.drawEllipse(centre, radius, radius);
    }
}

} // namespace

QImage drawPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawArcs(painter, width, height);
    drawBand(painter, width, height);
    return image;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 256 grid and scaled; the outline width grows more slowly than
    // the icon so that small sizes stay crisp.
    const double scale = size / 256.0;
    painter.scale(scale, scale);
    const double outline = size <= 32 ? 1.0 / scale : (size <= 64 ? 1.5 / scale : 4.0);
    const QPen edge(QColor(58, 58, 64), outline);

    // Tower, behind the monitor on the right.
    QLinearGradient towerFace(168, 0, 248, 0);
    towerFace.setColorAt(0.0, QColor(236, 236, 230));
    towerFace.setColorAt(1.0, QColor(172, 172, 166));
    painter.setPen(edge);
    painter.setBrush(towerFace);
    painter.drawRoundedRect(QRectF(166, 44, 80, 190), 9, 9);
    painter.setBrush(QColor(92, 92, 100));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(180, 66, 52, 12), 2, 2);
    painter.drawRoundedRect(QRectF(180, 90, 52, 12), 2, 2);
    painter.setBrush(QColor(150, 150, 150));
    painter.drawRect(QRectF(180, 120, 52, 4));
    painter.setBrush(QColor(40, 200, 60));
    painter.drawEllipse(QPointF(206, 206), 7, 7);

    // Monitor: bezel, screen and stand.
    QLinearGradient bezel(0, 34, 0, 170);
    bezel.setColorAt(0.0, QColor(226, 226, 222));
    bezel.setColorAt(1.0, QColor(160, 160, 156));
    painter.setPen(edge);
    painter.setBrush(QColor(150, 150, 146));
    painter.drawRect(QRectF(78, 168, 30, 20));
    painter.drawRoundedRect(QRectF(40, 184, 106, 14), 6, 6);
    painter.setBrush(bezel);
    painter.drawRoundedRect(QRectF(8, 30, 172, 142), 12, 12);
    QLinearGradient screen(24, 46, 164, 156);
    screen.setColorAt(0.0, QColor(96, 168, 255));
    screen.setColorAt(1.0, QColor(18, 62, 176));
    painter.setBrush(screen);
    painter.drawRect(QRectF(24, 46, 140, 108));
    QPainterPath gloss;
    gloss.moveTo(24, 46);
    gloss.lineTo(164, 46);
    gloss.lineTo(164, 70);
    gloss.cubicTo(120, 86, 70, 104, 24, 110);
    gloss.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawPath(gloss);

    // Keyboard in front.
    QPainterPath keyboard;
    keyboard.moveTo(22, 212);
    keyboard.lineTo(170, 212);
    keyboard.lineTo(182, 240);
    keyboard.lineTo(8, 240);
    keyboard.closeSubpath();
    painter.setPen(edge);
    painter.setBrush(QColor(214, 214, 208));
    painter.drawPath(keyboard);
    if (size >= 48) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(130, 130, 128));
        for (int row = 0; row < 2; ++row) {
            const double y = 218 + row * 10;
            const double inset = 4.0 * (1 - row);
            for (double x = 24 + inset; x < 166 - inset; x += 14)
                painter.drawRect(QRectF(x, y, 9, 5));
        }
    }
    return image;
}

} // namespace hitungrama::artgen
