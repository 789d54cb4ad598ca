#include "keyboard/keymap.h"

#include "layout/controlnames.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>

namespace hitungrama {

using namespace controlname;

namespace {

ControlId button(QLatin1String name, int index = -1)
{
    return {name, index};
}

QStringList keys(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QKeyCombination combination(const QString &key)
{
    const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
    Q_ASSERT(sequence.count() == 1);
    return sequence[0];
}

// A command with its keys parsed here, not on every key event.
KeyMap::CommandBinding commandBinding(KeyMap::Command command, QStringList texts, const char *description)
{
    std::vector<QKeyCombination> combinations;
    for (const QString &key : texts)
        combinations.push_back(combination(key));
    return {command, std::move(texts), description, std::move(combinations)};
}

// Portable key names as the F1 list shows them.
QString spokenKey(const QString &key)
{
    if (key == QLatin1String("Return"))
        return QStringLiteral("Enter");
    if (key == QLatin1String("Enter"))
        //: The key list: the Enter key of the numeric keypad.
        return KeyMap::tr("Enter keypad");
    if (key == QLatin1String("Del"))
        return QStringLiteral("Delete");
    if (key.size() == 1 && key.at(0).isLetter())
        return key.toUpper();
    return key;
}

} // namespace

KeyMap::KeyMap()
{
    m_bindings = {
        {button(kDigitButtons, 0), keys({"0"}), Held::Repeats},
        {button(kDigitButtons, 1), keys({"1"}), Held::Repeats},
        {button(kDigitButtons, 2), keys({"2"}), Held::Repeats},
        {button(kDigitButtons, 3), keys({"3"}), Held::Repeats},
        {button(kDigitButtons, 4), keys({"4"}), Held::Repeats},
        {button(kDigitButtons, 5), keys({"5"}), Held::Repeats},
        {button(kDigitButtons, 6), keys({"6"}), Held::Repeats},
        {button(kDigitButtons, 7), keys({"7"}), Held::Repeats},
        {button(kDigitButtons, 8), keys({"8"}), Held::Repeats},
        {button(kDigitButtons, 9), keys({"9"}), Held::Repeats},
        {button(kDecimalPointButton), keys({".", ","}), Held::Repeats},
        {button(kOperatorButtons, 0), keys({"+"})},
        {button(kOperatorButtons, 1), keys({"-"})},
        {button(kOperatorButtons, 2), keys({"*"})},
        {button(kOperatorButtons, 3), keys({"/"})},
        {button(kOperatorButtons, 4), keys({"=", "Return", "Enter"})},
        {button(kOperatorButtons, 5), keys({"^"}), Held::Once, Qt::Key_Dead_Circumflex},
        {button(kOperatorButtons, 6), keys({"m"})},
        {button(kOnButton), keys({"Esc"})},
        {button(kOffButton), keys({"Ctrl+Q"})},
        {button(kClearEntryButton), keys({"Del"})},
        {button(kBackSpaceButton), keys({"Backspace"}), Held::Repeats},
        {button(kAboutButton), keys({"Ctrl+I"})},
        {button(kMemoryButtons, 0), keys({"Ctrl+M"})},
        {button(kMemoryButtons, 1), keys({"Ctrl+L"})},
        {button(kMemoryButtons, 2), keys({"Ctrl+R"})},
        {button(kFunctionButtons, 0), keys({"s"})},
        {button(kFunctionButtons, 1), keys({"q"})},
        {button(kFunctionButtons, 2), keys({"k"})},
        {button(kFunctionButtons, 3), keys({"t"})},
        {button(kFunctionButtons, 4), keys({"c"})},
        {button(kFunctionButtons, 5), keys({"r"})},
        {button(kFunctionButtons, 6), keys({"!"})},
        {button(kFunctionButtons, 7), keys({"g"})},
        {button(kFunctionButtons, 8), keys({"p"})},
        {button(kFunctionButtons, 9), keys({"F9", "~"})},
        {button(kFunctionButtons, 10), keys({"%"})},
        {button(kFunctionButtons, 11), keys({"l", "n"})},
        {button(kToBinaryButton), keys({"b"})},
        {button(kWidthToggleButton), keys({">", "<"})},
        {button(kToDecimalButton), keys({"d"})},
    };
    for (const Binding &binding : m_bindings) {
        for (const QString &key : binding.keys) {
            if (key.size() == 1) {
                m_characters.push_back({key.at(0).toLower(), &binding});
                continue;
            }
            m_combinations.push_back({combination(key), &binding});
        }
    }
}

const KeyMap::Binding *KeyMap::find(const QKeyEvent &event) const
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return nullptr;
    const QKeyCombination pressed(modifiers & Qt::ControlModifier, Qt::Key(event.key()));
    for (const Combination &combination : m_combinations) {
        if (combination.keys == pressed)
            return combination.binding;
    }
    if (modifiers & Qt::ControlModifier)
        return nullptr;
    if (isDeadKey(event.key())) {
        for (const Binding &binding : m_bindings) {
            if (binding.deadKey == event.key())
                return &binding;
        }
        return nullptr;
    }
    const QString text = event.text();
    if (text.size() != 1)
        return nullptr;
    const QChar character = text.at(0).toLower();
    for (const Character &entry : m_characters) {
        if (entry.character == character)
            return entry.binding;
    }
    return nullptr;
}

const std::vector<KeyMap::CommandBinding> &KeyMap::commands()
{
    static const std::vector<CommandBinding> table = {
        commandBinding(Command::KeyList, keys({"F1"}), nullptr),
        //: The key list: what Ctrl+V and Shift+Insert do.
        commandBinding(Command::Paste, keys({"Ctrl+V", "Shift+Insert"}), QT_TR_NOOP("tempel teks ke layar.")),
        //: The key list: what Ctrl+C and Ctrl+Insert do.
        commandBinding(Command::Copy, keys({"Ctrl+C", "Ctrl+Insert"}), QT_TR_NOOP("salin teks layar.")),
        //: The key list: what Ctrl+H does.
        commandBinding(Command::TapeWindow, keys({"Ctrl+H"}),
                       QT_TR_NOOP("jendela Riwayat, semua perhitungan yang tersimpan.")),
    };
    return table;
}

const KeyMap::CommandBinding *KeyMap::command(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers relevant = Qt::ShiftModifier | Qt::ControlModifier
        | Qt::AltModifier | Qt::MetaModifier;
    const QKeyCombination pressed(event.modifiers() & relevant, Qt::Key(event.key()));
    for (const CommandBinding &binding : commands()) {
        const auto &combinations = binding.combinations;
        if (std::find(combinations.begin(), combinations.end(), pressed) != combinations.end())
            return &binding;
        // The desktop's own copy and paste keys too.
        if ((binding.command == Command::Copy && event.matches(QKeySequence::Copy))
            || (binding.command == Command::Paste && event.matches(QKeySequence::Paste)))
            return &binding;
    }
    return nullptr;
}

QKeySequence KeyMap::shortcut(Command command)
{
    for (const CommandBinding &binding : commands()) {
        if (binding.command == command)
            return QKeySequence(binding.combinations.front());
    }
    return QKeySequence();
}

const KeyMap::Binding *KeyMap::find(const ControlId &control) const
{
    for (const Binding &binding : m_bindings) {
        if (binding.control == control)
            return &binding;
    }
    return nullptr;
}

bool KeyMap::isDeadKey(int key)
{
    return key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
}

QString KeyMap::hint(const Binding &binding)
{
    const QString &first = binding.keys.first();
    return first.size() == 1 ? first.toUpper() : first;
}

QString KeyMap::describe(const std::function<QString(const ControlId &)> &caption) const
{
    QStringList same;
    QStringList lines;
    for (const Binding &binding : m_bindings) {
        const QString name = caption(binding.control);
        if (binding.keys.size() == 1 && binding.keys.first() == name) {
            same.append(name);
            continue;
        }
        QStringList spoken;
        for (const QString &key : binding.keys)
            spoken.append(spokenKey(key));
        //: The key list: between two keys of one button, blanks included.
        QString line = QStringLiteral("%1: %2").arg(spoken.join(tr(" atau ")), name);
        if (binding.keys.contains(QLatin1String("Return")))
            //: The key list, after the keys of "=": Enter on a focused button presses that button instead.
            line += tr(" (Enter pada tombol yang terfokus menekan tombol itu)");
        lines.append(line);
    }
    QString text = tr("Tombol keyboard menekan tombol kalkulator seperti klik mouse.") + QLatin1String("\n\n");
    if (!same.isEmpty())
        //: The key list: the buttons whose key is their caption, %1 those captions.
        text += tr("Tombol dengan nama yang sama: %1").arg(same.join(QLatin1Char(' '))) + QLatin1Char('\n');
    text += lines.join(QLatin1Char('\n'));
    text += QLatin1String("\n\n");
    text += tr("Spasi pada tombol yang terfokus menekan tombol itu.") + QLatin1Char('\n');
    for (const CommandBinding &command : commands()) {
        if (command.description != nullptr)
            text += QStringLiteral("%1: %2\n").arg(command.keys.join(tr(" atau ")), tr(command.description));
    }
    text += tr("Tahan Ctrl untuk melihat tombol keyboard di atas tiap tombol.") + QLatin1Char('\n');
    text += tr("Angka, titik, dan Back-Space berulang selama tombolnya ditahan; "
               "tombol lain bekerja sekali setiap kali ditekan.");
    return text;
}

} // namespace hitungrama
