#pragma once

#include <QImage>

namespace hitungrama::artgen {

// The window background: a white ground, a blue band across the top-left
// corner that fades to white, and faint grey arcs.
QImage drawPicture(int width, int height);

// A desktop computer (monitor with a stand, keyboard and a tower beside it),
// drawn on a transparent square of the given side.
QImage drawIcon(int size);

} // namespace hitungrama::artgen
