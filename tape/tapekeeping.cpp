#include "tape/tapekeeping.h"

#include <QSettings>

namespace hitungrama {

namespace {
const QString keepKey = QStringLiteral("tape/keep");
}

TapeKeeping::TapeKeeping(const QString &settingsFile) : m_settingsFile(settingsFile)
{
}

TapeKeeping::~TapeKeeping() = default;

bool TapeKeeping::isOn()
{
    if (m_settingsFile.isEmpty())
        return false;
    settings().sync();
    return settings().value(keepKey, true).toBool();
}

void TapeKeeping::set(bool on)
{
    if (m_settingsFile.isEmpty())
        return;
    settings().setValue(keepKey, on);
    settings().sync();
}

// Read at the first question, not at start-up.
QSettings &TapeKeeping::settings()
{
    if (!m_settings)
        m_settings = std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
    return *m_settings;
}

} // namespace hitungrama
