#pragma once

#include <QString>

namespace hitungrama {

// The window's two widths. Exactly the narrow outer width counts as narrow;
// any other width counts as wide, so a toggle from it narrows the window.
class WidthToggle {
public:
    struct Step {
        int outerWidth;
        QString caption; // the toggle button's caption afterwards
    };

    WidthToggle(int narrowOuterWidth, int wideOuterWidth);

    Step next(int currentOuterWidth) const;

private:
    int m_narrow;
    int m_wide;
};

} // namespace hitungrama
