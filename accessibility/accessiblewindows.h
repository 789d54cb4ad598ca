#pragma once

namespace hitungrama::AccessibleWindows {

// Screen readers tell a window by its role: the program's own top-level
// windows (the calculator and the tape window) are frames named by their
// titles, where a plain widget window would report itself as a filler.
// Installs the accessibility factory that says so; once per process.
void install();

} // namespace hitungrama::AccessibleWindows
