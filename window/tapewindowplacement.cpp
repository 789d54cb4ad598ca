#include "window/tapewindowplacement.h"

#include <QGuiApplication>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace hitungrama::TapeWindowPlacement {

namespace {

const QString kGeometryKey = QStringLiteral("geometry");
const QString kOpenKey = QStringLiteral("open");

QString key(const QString &name)
{
    return QLatin1String(kSettingsGroup) + QLatin1Char('/') + name;
}

} // namespace

bool placesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QRect beside(const QRect &main, const QSize &frame, const QRect &screen)
{
    int x = main.right() + 1;
    if (x + frame.width() > screen.right() + 1) {
        x = main.left() - frame.width();
        if (x < screen.left())
            x = std::max(screen.left(), screen.right() + 1 - frame.width());
    }
    const int y = std::max(screen.top(), std::min(main.top(), screen.bottom() + 1 - frame.height()));
    return QRect(QPoint(x, y), frame);
}

bool restore(QWidget &window)
{
    const QByteArray geometry = QSettings().value(key(kGeometryKey)).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void save(const QWidget &window)
{
    QSettings().setValue(key(kGeometryKey), window.saveGeometry());
}

bool wasOpen()
{
    return QSettings().value(key(kOpenKey), false).toBool();
}

void setOpen(bool open)
{
    QSettings().setValue(key(kOpenKey), open);
}

} // namespace hitungrama::TapeWindowPlacement
