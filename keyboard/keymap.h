#pragma once

#include "layout/controlid.h"

#include <QCoreApplication>
#include <QKeyCombination>
#include <QKeySequence>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QKeyEvent;

namespace hitungrama {

// Which key clicks which button. One table drives the lookup, the key hints
// over the buttons, the buttons' accessible key bindings and the F1 list.
// A second table holds the keys of the window's commands that click no
// button (the key list, paste, copy, the tape window): the key router, the
// display's menu, the tape window and the F1 list all read it.
//
// A key is written either as one character ("7", "+", "s"), matched against
// the text the key types whatever the keyboard layout and whether it came from
// the main row or the keypad, letters in either case; or in portable key text
// ("Return", "Ctrl+M"), matched against the key itself. Shift never matters,
// Alt and Meta always keep a key out of the map (access keys use Alt). Dead
// keys have no portable key text: a binding names its dead key apart, and
// the dead keys no binding names do nothing.
//
// A held key acts once per press unless its binding repeats: text entry
// repeats (digits, the point, Back-Space), commands do not.
class KeyMap {
    Q_DECLARE_TR_FUNCTIONS(KeyMap)

public:
    enum class Held { Once, Repeats };
    enum class Command { KeyList, Paste, Copy, TapeWindow };

    struct Binding {
        ControlId control;
        QStringList keys; // the first is the one shown over the button
        Held held = Held::Once;
        Qt::Key deadKey = Qt::Key_unknown; // a dead key that acts as keys do
    };

    struct CommandBinding {
        Command command;
        QStringList keys; // portable key text; the first is the menus' shortcut
        const char *description; // for the F1 list; null for a command it leaves out
        std::vector<QKeyCombination> combinations; // the keys, parsed once
    };

    KeyMap();

    static const std::vector<CommandBinding> &commands();
    // The command a key event asks for, if any.
    static const CommandBinding *command(const QKeyEvent &event);
    static QKeySequence shortcut(Command command);

    const std::vector<Binding> &bindings() const { return m_bindings; }
    // The binding the key event belongs to, or nullptr.
    const Binding *find(const QKeyEvent &event) const;
    const Binding *find(const ControlId &control) const;
    static bool isDeadKey(int key);

    // The key text shown over a button: letters in upper case.
    static QString hint(const Binding &binding);
    // The map as the user reads it in the F1 box, in the installed language;
    // caption names each button as the user sees it. Key names are written
    // as the keys' caps read, in every language.
    QString describe(const std::function<QString(const ControlId &)> &caption) const;

private:
    struct Combination {
        QKeyCombination keys;
        const Binding *binding;
    };
    struct Character {
        QChar character;
        const Binding *binding;
    };

    std::vector<Binding> m_bindings;
    std::vector<Combination> m_combinations;
    std::vector<Character> m_characters;
};

} // namespace hitungrama
