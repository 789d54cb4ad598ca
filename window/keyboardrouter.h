#pragma once

#include "window/keymap.h"

#include <QObject>
#include <QTimer>

class QKeyEvent;

namespace hitungrama {

class Form1;
class KeyHintOverlay;

// Sees every key meant for the window before the focused control does and
// turns the keys of the map into clicks of their buttons; handles F1, copy and
// paste, and shows the key hints while Ctrl is held. Keys outside the map
// reach the focused control unchanged, so Tab, the arrows, Space on a button
// and the Alt access keys keep their meaning; so does Return on a button.
class KeyboardRouter : public QObject {
    Q_OBJECT

public:
    static constexpr int kPressedLookMs = 100;
    static constexpr int kHintDelayMs = 600;

    explicit KeyboardRouter(Form1 &form);

    const KeyMap &keyMap() const { return m_map; }
    KeyHintOverlay *hints() const { return m_hints; }
    void hideHints();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Command { None, Button, KeyList, Copy, Paste };
    Command commandFor(const QKeyEvent &event, const KeyMap::Binding **binding) const;
    void run(Command command, const KeyMap::Binding *binding, quint64 eventTime);
    void watchControl(QKeyEvent &event);

    Form1 &m_form;
    KeyMap m_map;
    KeyHintOverlay *m_hints = nullptr;
    QTimer m_hintDelay;
};

} // namespace hitungrama
