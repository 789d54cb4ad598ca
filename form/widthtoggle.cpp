#include "form/widthtoggle.h"

namespace hitungrama {

WidthToggle::WidthToggle(int narrowOuterWidth, int wideOuterWidth)
    : m_narrow(narrowOuterWidth)
    , m_wide(wideOuterWidth)
{
}

WidthToggle::Step WidthToggle::next(int currentOuterWidth) const
{
    if (currentOuterWidth == m_narrow)
        return {m_wide, QStringLiteral("<-")};
    return {m_narrow, QStringLiteral("->")};
}

} // namespace hitungrama
