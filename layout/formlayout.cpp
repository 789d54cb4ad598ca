#include "layout/formlayout.h"

#include "xpbutton/fontunits.h"

namespace hitungrama {

QFont FontDescription::toFont() const
{
    return fontFromPoints(name, size, bold, italic, underline, strikeOut);
}

const ControlDescription *FormLayout::find(const QString &name, int index) const
{
    for (const ControlDescription &control : controls) {
        if (control.index == index && control.name == name)
            return &control;
    }
    return nullptr;
}

} // namespace hitungrama
