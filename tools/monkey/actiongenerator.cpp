#include "actiongenerator.h"

#include <array>
#include <iterator>

namespace hitungrama {

namespace {

using Kind = MonkeyAction::Kind;

// Clicks on buttons dominate, as they would for a user; "answer yes" alone
// is rare because it usually meets the exit question and ends the window.
constexpr std::array<int, MonkeyAction::kKindCount> kWeights = {
    190, // ClickButtonByName
    190, // ClickButtonByCaption
    25,  // ClickCheckBox
    20,  // ClickDisplay
    15,  // ClickLabel
    30,  // ClickPoint
    40,  // DoubleClick
    15,  // PressAlone
    15,  // ReleaseAlone
    120, // Type
    210, // Key
    35,  // MoveToControl
    20,  // MoveAway
    2,   // AnswerYes
    15,  // AnswerNo
    8,   // MemoryWithYes
    25,  // WidthToggle
    15,  // Table
    10,  // State
};

constexpr int sum(const std::array<int, MonkeyAction::kKindCount> &weights)
{
    int total = 0;
    for (const int w : weights)
        total += w;
    return total;
}
static_assert(sum(kWeights) == ActionGenerator::kWeightTotal, "the weights must add up");

const char *const kNamedKeys[] = {
    "Tab", "Shift+Tab", "Space", "Return", "Enter", "Left", "Right", "Up", "Down",
    "Home", "End", "Backspace", "Delete", "Escape", "Ctrl+A", "Ctrl+Z", "Shift+Left",
    "Shift+End",
};
const char *const kPunctuationKeys[] = {".", "-", "E", ",", "Shift+E"};

const char *const kNumberWords[] = {
    "Infinity", "-Infinity", "+Infinity", "NaN", "nan", "inf", "1e309", "-1E-400",
    "0x1F", "1,5", "1.7976931348623157E+308", "1.79769313486232E+308", "2147483647",
    "-2147483648", "-0", "1E", "E5", "..", "--1", " 12 ", "1e+", "4.9E-324",
    "memory can't Accept 0", "Hitungrama Overflow", "0.", ".5", "00000001",
};

const char *const kUnicodeTexts[] = {
    "\u00e9", "\u00df", "\u20ac", "\u00bd", "\u0663\u0664", "\uff11\uff12\uff13",
    "\u00a0", "\u200b", "a\u0301", "\u6570\u5b57", "\U0001F600", "\U0001D7D9\U0001D7DA",
    "\u202e12", "\u03a9", "\u22125", "\u00b7", "\u0661\u066b\u0665",
};

QString repeatFrom(PortableRandom &random, const char *alphabet, int length)
{
    const QString letters = QString::fromLatin1(alphabet);
    QString text;
    for (int i = 0; i < length; ++i)
        text += letters.at(int(random.below(std::uint32_t(letters.size()))));
    return text;
}

} // namespace

ActionGenerator::ActionGenerator(std::uint32_t seed)
    : m_random(seed)
{
}

int ActionGenerator::weight(MonkeyAction::Kind kind)
{
    return kWeights[static_cast<std::size_t>(kind)];
}

QStringList ActionGenerator::keyTexts()
{
    QStringList keys;
    for (const char *key : kNamedKeys)
        keys << QString::fromLatin1(key);
    for (const char *key : kPunctuationKeys)
        keys << QString::fromLatin1(key);
    for (char c = 'A'; c <= 'Z'; ++c)
        keys << QStringLiteral("Alt+") + QLatin1Char(c);
    for (char c = '0'; c <= '9'; ++c)
        keys << QString(QLatin1Char(c));
    return keys;
}

QString ActionGenerator::pick(const char *const *texts, int count)
{
    return QString::fromUtf8(texts[m_random.below(std::uint32_t(count))]);
}

MonkeyAction ActionGenerator::next(const MonkeyTargets &targets)
{
    if (!m_followUps.empty()) {
        MonkeyAction action = m_followUps.front();
        m_followUps.pop_front();
        return action;
    }

    int draw = int(m_random.below(kWeightTotal));
    int index = 0;
    while (draw >= kWeights[std::size_t(index)])
        draw -= kWeights[std::size_t(index++)];

    MonkeyAction action;
    action.kind = static_cast<Kind>(index);
    const auto click = [](const QString &ref) { return QStringLiteral("click ") + ref; };
    switch (action.kind) {
    case Kind::ClickButtonByName:
        action.line = click(targets.buttons.at(m_random.below(std::uint32_t(targets.buttons.size()))).ref);
        break;
    case Kind::ClickButtonByCaption:
        action.line = click(anyButton(targets));
        break;
    case Kind::ClickCheckBox:
        action.line = click(QStringLiteral("Check1"));
        break;
    case Kind::ClickDisplay:
        action.line = click(QStringLiteral("Text1"));
        break;
    case Kind::ClickLabel:
        action.line = click(targets.labels.at(m_random.below(std::uint32_t(targets.labels.size()))));
        break;
    case Kind::ClickPoint:
        action.point = anyPoint(targets);
        action.line = QStringLiteral("point %1 %2").arg(action.point.x()).arg(action.point.y());
        break;
    case Kind::DoubleClick:
        action.line = QStringLiteral("dblclick ") + anyControl(targets);
        break;
    case Kind::PressAlone:
        action.line = QStringLiteral("press ") + anyControl(targets);
        break;
    case Kind::ReleaseAlone:
        action.line = QStringLiteral("release ") + anyControl(targets);
        break;
    case Kind::Type:
        action.line = QStringLiteral("type ") + typedText();
        break;
    case Kind::Key:
        action.line = QStringLiteral("key ") + keyText();
        break;
    case Kind::MoveToControl:
        action.line = QStringLiteral("move ") + anyControl(targets);
        break;
    case Kind::MoveAway:
        action.line = QStringLiteral("move away");
        break;
    case Kind::AnswerYes:
        action.line = QStringLiteral("answer yes");
        break;
    case Kind::AnswerNo:
        action.line = QStringLiteral("answer no");
        break;
    case Kind::MemoryWithYes: {
        action.line = QStringLiteral("answer yes");
        MonkeyAction store;
        store.kind = Kind::ClickButtonByName;
        store.line = click(targets.memoryStoreRef);
        store.dropAnswersAfter = true;
        m_followUps.push_back(store);
        break;
    }
    case Kind::WidthToggle:
        action.line = click(m_random.chance(1, 2) || targets.toggleCaption.isEmpty()
                                ? targets.toggleRef
                                : targets.toggleCaption);
        break;
    case Kind::Table:
        action.line = click(targets.tableRef);
        break;
    case Kind::State:
        action.line = QStringLiteral("state");
        break;
    }
    return action;
}

QString ActionGenerator::anyButton(const MonkeyTargets &targets)
{
    const MonkeyTargets::Button &button =
        targets.buttons.at(m_random.below(std::uint32_t(targets.buttons.size())));
    return button.caption.isEmpty() ? button.ref : button.caption;
}

QString ActionGenerator::anyControl(const MonkeyTargets &targets)
{
    const std::uint32_t buttons = std::uint32_t(targets.buttons.size());
    const std::uint32_t labels = std::uint32_t(targets.labels.size());
    const std::uint32_t choice = m_random.below(2 * buttons + labels + 2);
    if (choice < buttons)
        return targets.buttons[choice].ref;
    if (choice < 2 * buttons)
        return anyButton(targets);
    if (choice < 2 * buttons + labels)
        return targets.labels[choice - 2 * buttons];
    return choice == 2 * buttons + labels ? QStringLiteral("Check1") : QStringLiteral("Text1");
}

QPoint ActionGenerator::anyPoint(const MonkeyTargets &targets)
{
    const auto point = [&] {
        return QPoint(m_random.between(0, targets.window.width() - 1),
                      m_random.between(0, targets.window.height() - 1));
    };
    if (m_random.chance(1, 2))
        return point();
    // Prefer the picture between the controls; give up after a few tries.
    QPoint candidate;
    for (int attempt = 0; attempt < 32; ++attempt) {
        candidate = point();
        bool free = true;
        for (const QRect &rect : targets.occupied)
            free = free && !rect.contains(candidate);
        if (free)
            break;
    }
    return candidate;
}

QString ActionGenerator::keyText()
{
    const std::uint32_t group = m_random.below(20);
    if (group < 7)
        return pick(kNamedKeys, int(std::size(kNamedKeys)));
    if (group < 11)
        return QStringLiteral("Alt+") + QLatin1Char(char('A' + m_random.below(26)));
    if (group < 17)
        return QString(QLatin1Char(char('0' + m_random.below(10))));
    return pick(kPunctuationKeys, int(std::size(kPunctuationKeys)));
}

QString ActionGenerator::typedText()
{
    switch (m_random.below(10)) {
    case 0: { // a well-formed number
        QString text;
        if (m_random.chance(1, 3))
            text += m_random.chance(1, 2) ? QLatin1Char('-') : QLatin1Char('+');
        text += repeatFrom(m_random, "0123456789", m_random.between(1, 12));
        if (m_random.chance(1, 2))
            text += QLatin1Char('.') + repeatFrom(m_random, "0123456789", m_random.between(0, 6));
        if (m_random.chance(1, 4))
            text += QStringLiteral("E%1%2")
                        .arg(m_random.chance(1, 2) ? QLatin1Char('-') : QLatin1Char('+'))
                        .arg(m_random.between(0, 400));
        return text;
    }
    case 1: // number characters in any order
        return repeatFrom(m_random, "0123456789+-.Ee ", m_random.between(0, 15));
    case 2:
        return repeatFrom(m_random, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
                          m_random.between(1, 8));
    case 3:
        return m_random.chance(1, 4) ? QStringLiteral(" \t ")
                                     : QString(m_random.between(1, 4), QLatin1Char(' '));
    case 4:
        return QString();
    case 5: // long texts, mostly digits; one action stays a short burst of keys
        return repeatFrom(m_random, "0123456789012345678901234567890123456789.E+- ",
                          m_random.between(40, 80));
    case 6: {
        QString text;
        for (int parts = m_random.between(1, 3); parts > 0; --parts)
            text += pick(kUnicodeTexts, int(std::size(kUnicodeTexts)));
        return text;
    }
    case 7:
        return pick(kNumberWords, int(std::size(kNumberWords)));
    case 8:
        return repeatFrom(m_random, "01", m_random.between(1, 12));
    default: // a short number, the most common input
        return repeatFrom(m_random, "0123456789", m_random.between(1, 4));
    }
}

} // namespace hitungrama
