#pragma once

#include <QColor>
#include <QtGlobal>

namespace hitungrama {

// Turns a stored colour into a QColor. Plain colours are 0x00BBGGRR (red in the
// low byte; the top byte is ignored). A value 0x800000nn names system colour nn
// of the standard desktop scheme, among them 5 window background (white),
// 6 window frame (black) and 9 title-bar text (white); the full table is in
// systemcolor.cpp. An unknown system index gives black, like window text.
QColor colorFromOle(quint32 value);

// True for a system-colour reference (top bit set).
bool isSystemColorReference(quint32 value);

} // namespace hitungrama
