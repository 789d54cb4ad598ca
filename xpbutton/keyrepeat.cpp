#include "xpbutton/keyrepeat.h"

#include <QKeyEvent>

namespace hitungrama {

void KeyRepeat::noteRelease(const QKeyEvent &release)
{
    m_key = release.key();
    m_time = release.timestamp();
}

bool KeyRepeat::completesPair(const QKeyEvent &press) const
{
    return m_time != 0 && press.key() == m_key && press.timestamp() == m_time;
}

bool KeyRepeat::isRepeat(const QKeyEvent &press) const
{
    return press.isAutoRepeat() || completesPair(press);
}

bool KeyRepeat::mayPair(const QKeyEvent &release)
{
    return release.timestamp() != 0;
}

} // namespace hitungrama
