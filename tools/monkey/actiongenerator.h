#pragma once

#include "monkeyaction.h"
#include "monkeytargets.h"
#include "portablerandom.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>

namespace hitungrama {

// Draws random actions from a seeded generator. The same seed and the same
// targets give the same actions, so a run replays from its seed alone.
class ActionGenerator {
public:
    explicit ActionGenerator(std::uint32_t seed);

    MonkeyAction next(const MonkeyTargets &targets);

    // Every key text the generator may send (letters stand for Alt+A..Z).
    static QStringList keyTexts();

    QString typedText();
    QString keyText();

private:
    // One kind of action: how often it is drawn (out of the weights' sum)
    // and what fills in its line.
    struct Maker {
        MonkeyAction::Kind kind;
        int weight;
        void (*make)(ActionGenerator &generator, const MonkeyTargets &targets, MonkeyAction &action);
    };
    static const Maker kMakers[];

    QString anyControl(const MonkeyTargets &targets);
    QString anyButton(const MonkeyTargets &targets);
    QString anyOf(const std::vector<QString> &refs);
    QPoint anyPoint(const MonkeyTargets &targets);
    QString pick(const char *const *texts, int count);
    QString tapeAction(const MonkeyTargets &targets);

    PortableRandom m_random;
    std::deque<MonkeyAction> m_followUps;
};

} // namespace hitungrama
