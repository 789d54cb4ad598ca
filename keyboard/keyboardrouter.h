#pragma once

#include "keyboard/keymap.h"
#include "xpbutton/keyrepeat.h"

#include <QObject>
#include <QTimer>

class QWidget;

class QKeyEvent;

namespace hitungrama {

class DisplayClipboard;
class InputRefusal;
class KeyboardHost;
class KeyHintOverlay;

// Sees every key meant for the window before the focused control does and
// turns the keys of the map into clicks of their buttons; handles F1, copy and
// paste, Ctrl+H (the tape window), and shows the key hints while Ctrl is held. Keys outside the map
// reach the focused control unchanged, so Tab, the arrows, Space on a button
// and the Alt access keys keep their meaning; so does Return on a button.
//
// A held key acts once, unless its binding repeats; repeats are told apart
// as the buttons tell them (KeyRepeat). The window refuses input methods, so
// dead keys and compose keys arrive as plain keys: the dead circumflex is
// "^", and the Space that would finish it elsewhere does nothing here.
class KeyboardRouter : public QObject {
    Q_OBJECT

public:
    static constexpr int kPressedLookMs = 100;
    static constexpr int kHintDelayMs = 600;
    // How often shown hints check that Ctrl is still down: its release may
    // have gone to a menu, a box or another program.
    static constexpr int kHintCheckMs = 200;

    // Routes the keys of `window` and its controls; the router is a child of it.
    KeyboardRouter(QWidget &window, KeyboardHost &host, DisplayClipboard &clipboard, InputRefusal &refusal);

    const KeyMap &keyMap() const { return m_map; }
    // Clicks the button as its key does; a disabled or hidden one beeps.
    void pressButton(const ControlId &control);
    KeyHintOverlay *hints() const { return m_hints; }
    void hideHints();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Command { None, Ignore, Button, KeyList, Copy, Paste, Tape };
    // Where the dead circumflex's Space stands: the next press may be it, or
    // it is down and its repeats and release are dropped too.
    enum class CircumflexSpace { None, Awaited, Down };

    Command commandFor(const QKeyEvent &event, const KeyMap::Binding **binding) const;
    void run(Command command, const KeyMap::Binding *binding, quint64 eventTime);
    bool filterKey(QKeyEvent &event);
    bool dropsCircumflexSpace(const QKeyEvent &event);
    void watchControl(const QKeyEvent &event);
    bool ctrlHeldHere() const;
    void showHintsIfCtrlHeld();

    QWidget &m_window;
    KeyboardHost &m_host;
    DisplayClipboard &m_clipboard;
    InputRefusal &m_refusal;
    KeyMap m_map;
    KeyHintOverlay *m_hints = nullptr;
    QTimer m_hintDelay;
    QTimer m_hintCheck;
    KeyRepeat m_repeat;
    CircumflexSpace m_circumflexSpace = CircumflexSpace::None;
    // The key held down now was refused once: its repeats refuse quietly.
    bool m_heldKeyRefused = false;
};

} // namespace hitungrama
