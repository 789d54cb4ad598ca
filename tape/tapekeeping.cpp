#include "tape/tapekeeping.h"

#include <QSettings>

namespace hitungrama {

namespace {
const QString keepKey = QStringLiteral("tape/keep");
}

TapeKeeping::TapeKeeping(const QString &settingsFile)
    : m_settings(settingsFile.isEmpty() ? std::make_unique<QSettings>()
                                        : std::make_unique<QSettings>(settingsFile, QSettings::IniFormat))
{
}

TapeKeeping::~TapeKeeping() = default;

bool TapeKeeping::isOn()
{
    m_settings->sync();
    return m_settings->value(keepKey, true).toBool();
}

void TapeKeeping::set(bool on)
{
    m_settings->setValue(keepKey, on);
    m_settings->sync();
}

} // namespace hitungrama
