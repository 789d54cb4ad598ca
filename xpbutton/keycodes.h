#pragma once

#include <QtGlobal>
#include <qnamespace.h>

class QKeyEvent;

namespace hitungrama {

// Key codes and modifier masks as the button's events report them.
namespace KeyCode {
constexpr short Backspace = 8;
constexpr short Tab = 9;
constexpr short Enter = 13;
constexpr short ShiftKey = 16;
constexpr short ControlKey = 17;
constexpr short Menu = 18;
constexpr short Escape = 27;
constexpr short Space = 32;
constexpr short Left = 37;
constexpr short Up = 38;
constexpr short Right = 39;
constexpr short Down = 40;
constexpr short Delete = 46;
} // namespace KeyCode

// Shift 1, Ctrl 2, Alt 4.
short shiftState(Qt::KeyboardModifiers modifiers);
// Left 1, right 2, middle 4; a mask for several buttons.
short mouseButtonCode(Qt::MouseButtons buttons);
// The key code of a key event: letters give their capital's code, digits
// their character code, keypad keys 96 to 111, F1 to F24 112 to 135; 0 for
// keys without a code.
short keyCodeOf(const QKeyEvent &event);

} // namespace hitungrama
