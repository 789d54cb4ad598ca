#include "window/keyboardrouter.h"

#include "window/displayclipboard.h"
#include "window/form1.h"
#include "window/keyhintoverlay.h"
#include "xpbutton/xpbutton.h"

#include <QApplication>
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
    connect(&m_hintDelay, &QTimer::timeout, m_hints, &KeyHintOverlay::showHints);

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
    m_hints->hide();
}

KeyboardRouter::Command KeyboardRouter::commandFor(const QKeyEvent &event,
                                                   const KeyMap::Binding **binding) const
{
    *binding = nullptr;
    if (isKey(event, Qt::NoModifier, Qt::Key_F1))
        return Command::KeyList;
    if (isKey(event, Qt::ControlModifier, Qt::Key_C) || isKey(event, Qt::ControlModifier, Qt::Key_Insert)
        || event.matches(QKeySequence::Copy))
        return Command::Copy;
    if (isKey(event, Qt::ControlModifier, Qt::Key_V) || isKey(event, Qt::ShiftModifier, Qt::Key_Insert)
        || event.matches(QKeySequence::Paste))
        return Command::Paste;
    *binding = m_map.find(event);
    if (*binding == nullptr)
        return Command::None;
    // Return on a focused button presses that button.
    if (event.key() == Qt::Key_Return && qobject_cast<XPButton *>(QApplication::focusWidget()))
        return Command::None;
    return Command::Button;
}

void KeyboardRouter::run(Command command, const KeyMap::Binding *binding, quint64 eventTime)
{
    switch (command) {
    case Command::None:
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
    case Command::Button: {
        XPButton *button = m_form.controls().button(binding->control.name, binding->control.index);
        // A disabled or hidden button refuses its key like any refused input.
        if (button == nullptr || !button->clickFromKeyboard(kPressedLookMs))
            m_form.refuseInput();
        break;
    }
    }
}

void KeyboardRouter::watchControl(QKeyEvent &event)
{
    if (event.key() != Qt::Key_Control || event.isAutoRepeat())
        return;
    if (event.type() == QEvent::KeyPress)
        m_hintDelay.start();
    else
        hideHints();
}

bool KeyboardRouter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowDeactivate && watched == &m_form) {
        hideHints();
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    if (m_form.hasExited())
        return false;
    // While a message box is open the keys belong to it alone.
    if (m_form.boxOpen())
        return type != QEvent::ShortcutOverride;
    auto &key = static_cast<QKeyEvent &>(*event);
    if (type != QEvent::ShortcutOverride)
        watchControl(key);
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
    if (type == QEvent::KeyPress)
        run(command, binding, key.timestamp());
    return true;
}

} // namespace hitungrama
