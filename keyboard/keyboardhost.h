#pragma once

#include "keyboard/keymap.h"

namespace hitungrama {

class XPButton;

// What the keyboard needs of the window it serves: its buttons by name, its
// state, the number a paste enters and the commands that click no button.
class KeyboardHost {
public:
    virtual ~KeyboardHost() = default;

    // The button of a control, or null.
    virtual XPButton *button(const ControlId &control) const = 0;
    // "OFF" was answered Yes: nothing reacts any more.
    virtual bool hasExited() const = 0;
    // A message box of the window is open; the keys belong to it.
    virtual bool isBoxOpen() const = 0;
    virtual bool isBinaryMode() const = 0;
    // A number the paste rule accepted.
    virtual void numberPasted(double value) = 0;
    // The key list or the tape window (copy and paste the keyboard runs itself).
    virtual void runCommand(KeyMap::Command command) = 0;
};

} // namespace hitungrama
