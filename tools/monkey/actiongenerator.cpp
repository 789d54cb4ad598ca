#include "actiongenerator.h"

#include "layout/controlnames.h"

#include <algorithm>
#include <iterator>

namespace hitungrama {

namespace {

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

// What a search looks for: lines' own texts, operators, nothing, and what
// matches nothing.
const char *const kTapeSearches[] = {"", "1", "2", "= ", "+ 3", "BIN(", "Tidak", "sqrt", "zz"};

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

// Clicks on buttons dominate, as they would for a user; "answer yes" alone
// is rare because it usually meets the exit question and ends the window.
const ActionGenerator::Maker ActionGenerator::kMakers[] = {
    {MonkeyAction::Kind::ClickButtonByName, 190,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("click ") + t.buttons.at(g.m_random.below(std::uint32_t(t.buttons.size()))).ref;
     }},
    {MonkeyAction::Kind::ClickButtonByCaption, 190,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("click ") + g.anyButton(t);
     }},
    {MonkeyAction::Kind::ClickCheckBox, 25,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("click Check1"); }},
    {MonkeyAction::Kind::ClickDisplay, 20,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("click Text1"); }},
    {MonkeyAction::Kind::ClickLabel, 15,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("click ") + g.anyOf(t.labels);
     }},
    {MonkeyAction::Kind::ClickPoint, 30,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.point = g.anyPoint(t);
         a.line = QStringLiteral("point %1 %2").arg(a.point.x()).arg(a.point.y());
     }},
    {MonkeyAction::Kind::DoubleClick, 40,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("dblclick ") + g.anyControl(t);
     }},
    {MonkeyAction::Kind::PressAlone, 15,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("press ") + g.anyControl(t);
     }},
    {MonkeyAction::Kind::ReleaseAlone, 15,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("release ") + g.anyControl(t);
     }},
    {MonkeyAction::Kind::Type, 60,
     [](ActionGenerator &g, const MonkeyTargets &, MonkeyAction &a) {
         a.line = QStringLiteral("type ") + g.typedText();
     }},
    {MonkeyAction::Kind::Paste, 60,
     [](ActionGenerator &g, const MonkeyTargets &, MonkeyAction &a) {
         a.line = QStringLiteral("paste ") + g.typedText();
     }},
    {MonkeyAction::Kind::Key, 210,
     [](ActionGenerator &g, const MonkeyTargets &, MonkeyAction &a) {
         a.line = QStringLiteral("key ") + g.keyText();
     }},
    {MonkeyAction::Kind::MoveToControl, 35,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("move ") + g.anyControl(t);
     }},
    {MonkeyAction::Kind::MoveAway, 20,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("move away"); }},
    {MonkeyAction::Kind::AnswerYes, 2,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("answer yes"); }},
    {MonkeyAction::Kind::AnswerNo, 15,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("answer no"); }},
    {MonkeyAction::Kind::MemoryWithYes, 8,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("answer yes");
         MonkeyAction store;
         store.kind = MonkeyAction::Kind::ClickButtonByName;
         store.line = QStringLiteral("click ") + t.memoryStoreRef;
         store.dropAnswersAfter = true;
         g.m_followUps.push_back(store);
     }},
    {MonkeyAction::Kind::WidthToggle, 25,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) {
         a.line = QStringLiteral("click ")
             + (g.m_random.chance(1, 2) || t.toggleCaption.isEmpty() ? t.toggleRef : t.toggleCaption);
     }},
    {MonkeyAction::Kind::Table, 15,
     [](ActionGenerator &, const MonkeyTargets &t, MonkeyAction &a) { a.line = QStringLiteral("click ") + t.tableRef; }},
    {MonkeyAction::Kind::Tape, 6,
     [](ActionGenerator &g, const MonkeyTargets &t, MonkeyAction &a) { a.line = g.tapeAction(t); }},
    {MonkeyAction::Kind::State, 10,
     [](ActionGenerator &, const MonkeyTargets &, MonkeyAction &a) { a.line = QStringLiteral("state"); }},
};

MonkeyAction ActionGenerator::next(const MonkeyTargets &targets)
{
    if (!m_followUps.empty()) {
        MonkeyAction action = m_followUps.front();
        m_followUps.pop_front();
        return action;
    }
    int total = 0;
    for (const Maker &maker : kMakers)
        total += maker.weight;
    int draw = int(m_random.below(std::uint32_t(total)));
    const Maker *maker = kMakers;
    while (draw >= maker->weight)
        draw -= (maker++)->weight;
    MonkeyAction action;
    action.kind = maker->kind;
    maker->make(*this, targets, action);
    return action;
}

QString ActionGenerator::anyOf(const std::vector<QString> &refs)
{
    return refs.at(m_random.below(std::uint32_t(refs.size())));
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
    return choice == 2 * buttons + labels ? QString(controlname::kBinaryMode) : QString(controlname::kDisplay);
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

// Only lines the list shows are named, so that the harness never refuses one.
QString ActionGenerator::tapeAction(const MonkeyTargets &targets)
{
    if (!targets.tapeShown)
        return QStringLiteral("tape open");
    const std::uint32_t choice = m_random.below(4);
    if (choice == 0)
        return QStringLiteral("tape open");
    if (choice == 3 || targets.tapeLines == 0)
        return QStringLiteral("tape search ") + pick(kTapeSearches, int(std::size(kTapeSearches)));
    const int line = m_random.between(1, std::min(targets.tapeLines, 4));
    return (choice == 1 ? QStringLiteral("tape use %1") : QStringLiteral("tape delete %1")).arg(line);
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
