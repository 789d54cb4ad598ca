#pragma once

#include <QStringList>

// Makes the faces the layout names available: "MS Sans Serif", "Tahoma" and
// "Comic Sans MS". The TrueType files of Debian's fonts-wine are registered
// when present, but only when they scale: the "MS Sans Serif" file there
// holds bitmap strikes only, which would show every size as the same 8-point
// face without bold. A face that is missing or does not scale is replaced by
// its closest scalable relative (Tahoma; Comic Neue for Comic Sans MS), so
// every text keeps its designed size and weight.
namespace hitungrama::FontSetup {

// Idempotent; returns the families registered from font files. Call it
// before the first text is laid out: Qt reads the font list only once.
QStringList install();

// Registers each existing file of the list that holds a scalable face;
// returns the families kept.
QStringList registerScalableFiles(const QStringList &paths);

} // namespace hitungrama::FontSetup
