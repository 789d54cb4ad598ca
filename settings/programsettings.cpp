#include "settings/programsettings.h"

#include <QStandardPaths>

namespace hitungrama {

ProgramSettings::ProgramSettings()
    : QSettings(filePath(), QSettings::IniFormat)
{
}

QString ProgramSettings::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/hitungrama.conf");
}

} // namespace hitungrama
