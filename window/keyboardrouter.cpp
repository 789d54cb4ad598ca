#include "window/keyboardrouter.h"

#include "window/displayclipboard.h"
#include "window/form1.h"
#include "window/keyhintoverlay.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>

namespace hitungrama {

namespace {

bool isKey(const QKeyEvent &event, Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    const Qt::KeyboardModifiers relevant = Qt::ShiftModifier | Qt::ControlModifier
        | Qt::AltModifier | Qt::MetaModifier;
    return event.key() == key && (event.modifiers() & relevant) == modifiers;
}

} // namespace

KeyboardRouter::KeyboardRouter(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    const std::vector<XPButton *> buttons = form.controls().buttons();
    for (XPButton *button : buttons) {
        const ControlRegistry::Entry *entry = form.controls().find(button);
        const KeyMap::Binding *binding = entry != nullptr ? m_map.find(entry->id) : nullptr;
        if (binding != nullptr)
            button->setKeyHint(KeyMap::hint(*binding));
    }
    m_hints = new KeyHintOverlay(buttons, &form);
    m_hintDelay.setSingleShot(true);
    m_hintDelay.setInterval(kHintDelayMs);
    connect(&m_hintDelay, &QTimer::timeout, this, &KeyboardRouter::showHintsIfCtrlHeld);
    m_hintCheck.setInterval(kHintCheckMs);
    connect(&m_hintCheck, &QTimer::timeout, this, [this] {
        if (!ctrlHeldHere())
            hideHints();
    });

    // Keys go to the focused control: watch the window and every control.
    form.installEventFilter(this);
    for (const ControlRegistry::Entry &entry : form.controls().entries()) {
        if (entry.widget != nullptr)
            entry.widget->installEventFilter(this);
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
        && m_form.isActiveWindow() && QApplication::activePopupWidget() == nullptr
        && !m_form.boxOpen() && !m_form.hasExited();
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
    if (isKey(event, Qt::NoModifier, Qt::Key_F1))
        return Command::KeyList;
    if (isKey(event, Qt::ControlModifier, Qt::Key_H))
        return Command::Tape;
    if (isKey(event, Qt::ControlModifier, Qt::Key_C) || isKey(event, Qt::ControlModifier, Qt::Key_Insert)
        || event.matches(QKeySequence::Copy))
        return Command::Copy;
    if (isKey(event, Qt::ControlModifier, Qt::Key_V) || isKey(event, Qt::ShiftModifier, Qt::Key_Insert)
        || event.matches(QKeySequence::Paste))
        return Command::Paste;
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
        m_form.showKeyList();
        break;
    case Command::Copy:
        m_form.clipboard().copy();
        break;
    case Command::Paste:
        m_form.clipboard().pasteFromKey(eventTime);
        break;
    case Command::Tape:
        m_form.showTape();
        break;
    case Command::Button:
        pressButton(binding->control);
        break;
    }
}

void KeyboardRouter::pressButton(const ControlId &control)
{
    XPButton *button = m_form.controls().button(control.name, control.index);
    // A disabled or hidden button refuses its key like any refused input.
    if (button == nullptr || !button->clickFromKeyboard(kPressedLookMs))
        m_form.refuseInput();
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
    if (m_form.hasExited())
        return false;
    // While a message box is open the keys belong to it alone.
    if (m_form.boxOpen())
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
        const int refusals = m_form.refusalCount();
        m_form.setRefusalsQuiet(repeat && m_heldKeyRefused);
        run(command, binding, key.timestamp());
        m_form.setRefusalsQuiet(false);
        m_heldKeyRefused = m_heldKeyRefused || m_form.refusalCount() != refusals;
    }
    return true;
}

bool KeyboardRouter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        if (watched == &m_form) {
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
