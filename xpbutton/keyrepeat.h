#pragma once

#include <QtGlobal>

class QKeyEvent;

namespace hitungrama {

// Tells the presses of a held key's repeat from fresh presses. A held key
// repeats as a release and a press with the same time; Qt flags the pair
// (isAutoRepeat) only when it reads both at once, and on X11 it may read them
// apart and flag neither. Feed it the releases, then ask it about presses.
class KeyRepeat {
public:
    void noteRelease(const QKeyEvent &release);
    // The press half of an unflagged pair: the key of the last release, at
    // its time. Events without a time never pair.
    bool completesPair(const QKeyEvent &press) const;
    // Flagged by Qt or the press half of an unflagged pair.
    bool isRepeat(const QKeyEvent &press) const;
    // Whether a press may still follow that makes this release half a pair.
    static bool mayPair(const QKeyEvent &release);

private:
    int m_key = 0;
    quint64 m_time = 0;
};

} // namespace hitungrama
