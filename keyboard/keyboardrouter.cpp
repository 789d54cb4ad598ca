#include "keyboard/keyboardrouter.h"

#include "keyboard/displayclipboard.h"
#include "keyboard/inputrefusal.h"
#include "keyboard/keyboardhost.h"
#include "keyboard/keyhintoverlay.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>

namespace hitungrama {

KeyboardRouter::KeyboardRouter(QWidget &window, KeyboardHost &host, DisplayClipboard &clipboard,
                               InputRefusal &refusal)
    : QObject(&window)
    , m_window(window)
    , m_host(host)
    , m_clipboard(clipboard)
    , m_refusal(refusal)
{
    std::vector<XPButton *> buttons;
    for (const KeyMap::Binding &binding : m_map.bindings()) {
        if (XPButton *button = host.button(binding.control)) {
            button->setKeyHint(KeyMap::hint(binding));
            buttons.push_back(button);
        }
    }
    m_hints = new KeyHintOverlay(buttons, &window);
    m_hintDelay.setSingleShot(true);
    m_hintDelay.setInterval(kHintDelayMs);
    connect(&m_hintDelay, &QTimer::timeout, this, &KeyboardRouter::showHintsIfCtrlHeld);
    m_hintCheck.setInterval(kHintCheckMs);
    connect(&m_hintCheck, &QTimer::timeout, this, [this] {
        if (!ctrlHeldHere())
            hideHints();
    });

    // Keys go to the focused control: watch the window and every control.
    window.installEventFilter(this);
    for (QWidget *control : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control != m_hints)
            control->installEventFilter(this);
    }
}

void KeyboardRouter::hideHints()
{
    m_hintDelay.stop();
    m_hintCheck.stop();
    m_hints->hide();
}

bool KeyboardRouter::ctrlHeldHere() const
{
    // The live state where the platform has one: a release may have gone
    // elsewhere.
    return (QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier)
        && m_window.isActiveWindow() && QApplication::activePopupWidget() == nullptr
        && !m_host.isBoxOpen() && !m_host.hasExited();
}

void KeyboardRouter::showHintsIfCtrlHeld()
{
    if (!ctrlHeldHere()) {
        hideHints();
        return;
    }
    m_hints->showHints();
    m_hintCheck.start();
}

KeyboardRouter::Command KeyboardRouter::commandFor(const QKeyEvent &event,
                                                   const KeyMap::Binding **binding) const
{
    *binding = nullptr;
    if (const KeyMap::CommandBinding *command = KeyMap::command(event)) {
        switch (command->command) {
        case KeyMap::Command::KeyList:
            return Command::KeyList;
        case KeyMap::Command::Paste:
            return Command::Paste;
        case KeyMap::Command::Copy:
            return Command::Copy;
        case KeyMap::Command::TapeWindow:
            return Command::Tape;
        }
    }
    *binding = m_map.find(event);
    if (*binding == nullptr)
        return KeyMap::isDeadKey(event.key()) ? Command::Ignore : Command::None;
    // Return on a focused button presses that button.
    if (event.key() == Qt::Key_Return && qobject_cast<XPButton *>(QApplication::focusWidget()))
        return Command::None;
    return Command::Button;
}

void KeyboardRouter::run(Command command, const KeyMap::Binding *binding, quint64 eventTime)
{
    switch (command) {
    case Command::None:
    case Command::Ignore:
        break;
    case Command::KeyList:
        m_host.runCommand(KeyMap::Command::KeyList);
        break;
    case Command::Copy:
        m_clipboard.copy();
        break;
    case Command::Paste:
        m_clipboard.pasteFromKey(eventTime);
        break;
    case Command::Tape:
        m_host.runCommand(KeyMap::Command::TapeWindow);
        break;
    case Command::Button:
        pressButton(binding->control);
        break;
    }
}

void KeyboardRouter::pressButton(const ControlId &control)
{
    XPButton *button = m_host.button(control);
    // A disabled or hidden button refuses its key like any refused input.
    if (button == nullptr || !button->clickFromKeyboard(kPressedLookMs))
        m_refusal.refuse();
}

bool KeyboardRouter::dropsCircumflexSpace(const QKeyEvent &event)
{
    // Where ^ is a dead key people type it as ^ and Space; that Space belongs
    // to the ^ and must not click the focused button.
    const bool space = event.key() == Qt::Key_Space;
    if (event.type() == QEvent::KeyRelease)
        return space && m_circumflexSpace == CircumflexSpace::Down;
    switch (m_circumflexSpace) {
    case CircumflexSpace::None:
        return false;
    case CircumflexSpace::Awaited:
        m_circumflexSpace = space ? CircumflexSpace::Down : CircumflexSpace::None;
        return space;
    case CircumflexSpace::Down:
        if (space && m_repeat.isRepeat(event))
            return true;
        m_circumflexSpace = CircumflexSpace::None;
        return false;
    }
    return false;
}

void KeyboardRouter::watchControl(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Control)
        return;
    if (event.type() == QEvent::KeyRelease)
        hideHints();
    else if (!m_repeat.isRepeat(event))
        m_hintDelay.start();
}

bool KeyboardRouter::filterKey(QKeyEvent &key)
{
    const QEvent::Type type = key.type();
    if (type == QEvent::KeyRelease)
        m_repeat.noteRelease(key);
    if (m_host.hasExited())
        return false;
    // While a message box is open the keys belong to it alone.
    if (m_host.isBoxOpen())
        return type != QEvent::ShortcutOverride;
    if (type != QEvent::ShortcutOverride) {
        if (dropsCircumflexSpace(key))
            return true;
        watchControl(key);
    }
    const KeyMap::Binding *binding = nullptr;
    const Command command = commandFor(key, &binding);
    if (command == Command::None)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Ours: deliver it as a key press rather than as a shortcut.
        key.accept();
        return true;
    }
    // Releases of our keys must not reach a focused button, where Enter's
    // release would click it.
    if (type != QEvent::KeyPress)
        return true;
    if (binding != nullptr && KeyMap::isDeadKey(key.key()))
        m_circumflexSpace = CircumflexSpace::Awaited;
    const bool repeats = binding != nullptr && binding->held == KeyMap::Held::Repeats;
    const bool repeat = m_repeat.isRepeat(key);
    if (!repeat)
        m_heldKeyRefused = false;
    if (repeats || !repeat) {
        // A held key beeps for its first refusal; the repeats after it are quiet.
        const int refusals = m_refusal.count();
        m_refusal.setQuiet(repeat && m_heldKeyRefused);
        run(command, binding, key.timestamp());
        m_refusal.setQuiet(false);
        m_heldKeyRefused = m_heldKeyRefused || m_refusal.count() != refusals;
    }
    return true;
}

bool KeyboardRouter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (watched == &m_window) {
            hideHints();
            m_circumflexSpace = CircumflexSpace::None;
        }
        return false;
    case QEvent::FocusOut:
        // A menu takes the keyboard; Ctrl's release would go to it.
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason)
            hideHints();
        return false;
    case QEvent::InputMethodQuery: {
        // No input method: dead keys and compose keys then come as keys, and
        // no commit or preedit text can reach the display.
        auto *query = static_cast<QInputMethodQueryEvent *>(event);
        if (!(query->queries() & Qt::ImEnabled))
            return false;
        query->setValue(Qt::ImEnabled, false);
        query->accept();
        return true;
    }
    case QEvent::InputMethod:
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return filterKey(static_cast<QKeyEvent &>(*event));
    default:
        return false;
    }
}

} // namespace hitungrama
