#include "tapeview/tapewindowplacement.h"

#include "settings/programsettings.h"

#include <QGuiApplication>
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

QRect beside(const QRect &main, const QSize &frame, int narrowest, const QRect &screen)
{
    const int right = screen.right() - main.right();
    const int left = main.left() - screen.left();
    const bool rightIsWider = right >= left;
    int width = std::min(frame.width(), screen.width());
    int x = 0;
    if (right >= width) {
        x = main.right() + 1;
    } else if (left >= width) {
        x = main.left() - width;
    } else if (std::max(right, left) >= narrowest) {
        width = std::max(right, left);
        x = rightIsWider ? main.right() + 1 : screen.left();
    } else {
        x = rightIsWider ? screen.right() + 1 - width : screen.left();
    }
    const int height = std::min(frame.height(), screen.height());
    const int y = std::max(screen.top(), std::min(main.top(), screen.bottom() + 1 - height));
    return QRect(x, y, width, height);
}

bool restore(QWidget &window)
{
    const QByteArray geometry = ProgramSettings().value(key(kGeometryKey)).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void save(const QWidget &window)
{
    ProgramSettings().setValue(key(kGeometryKey), window.saveGeometry());
}

bool wasOpen()
{
    return ProgramSettings().value(key(kOpenKey), false).toBool();
}

void setOpen(bool open)
{
    ProgramSettings().setValue(key(kOpenKey), open);
}

} // namespace hitungrama::TapeWindowPlacement
