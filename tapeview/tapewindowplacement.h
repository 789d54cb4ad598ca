#pragma once

// Where the tape window goes, and what of it is kept between runs: its size,
// its place where the platform lets a program place windows (X11; on
// Wayland the compositor places them), and whether it was open when the
// program ended. Kept in the program's settings under one group.

#include <QRect>
#include <QSize>

class QWidget;

namespace hitungrama::TapeWindowPlacement {

inline constexpr char kSettingsGroup[] = "tapeWindow";

// Whether this platform lets a program place its own windows.
bool placesWindows();

// The frame of a window `frame` big (at least `narrowest` wide) beside the
// main window's frame `main` on the screen's available area: right of it
// when it fits there, else left of it, else narrowed to the wider side when
// that holds `narrowest`, else against the edge of the wider side, over the
// main window; level with the main window's top, moved up as far as it must
// to stay on the screen, and no higher than the screen.
QRect beside(const QRect &main, const QSize &frame, int narrowest, const QRect &screen);

// Gives the window its kept size and place; false when none is kept.
bool restore(QWidget &window);
void save(const QWidget &window);

bool wasOpen();
void setOpen(bool open);

} // namespace hitungrama::TapeWindowPlacement
