#include "keyboard/inputrefusal.h"

#include <QApplication>

namespace hitungrama {

void InputRefusal::refuse()
{
    ++m_count;
    if (m_quiet)
        return;
    QApplication::beep();
    emit refused();
}

} // namespace hitungrama
