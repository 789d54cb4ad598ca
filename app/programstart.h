#pragma once

// What every start of the calculator does once its QApplication exists: the
// program's main() and the harness's programs and tests share it, so the
// path a user starts through is the one the tests run.

#include <memory>

namespace hitungrama {

class Form1;
class MessageBoxService;

namespace ProgramStart {

// The XDG base directory rules make a relative XDG_DATA_HOME,
// XDG_CONFIG_HOME, XDG_CACHE_HOME or XDG_STATE_HOME invalid, but Qt 6.4
// takes it as it is (relative to the working folder): this removes such a
// value from the environment, so the tape and the settings go to their
// defaults under the home folder.
void ignoreRelativeBaseFolders();

// Drops relative XDG base folders (above), names the application, installs
// the desktop's language unless one is installed already (the harness's),
// checks the compiled-in layout, installs the fonts and creates the window.
// A damaged layout is reported on standard error as "PROGRAM: the window
// layout is damaged: ..." and gives no window; the program then ends with
// code 1.
std::unique_ptr<Form1> createWindow(const char *programName, MessageBoxService &boxes);

// Centres the window on its screen and shows it.
void show(Form1 &window);

// How long the end of the program waits for the tape's queued lines.
constexpr int kExitFlushMs = 15000;

// Shows the window and runs the event loop until the window closes (whatever
// other windows are open), "OFF" is answered Yes (which ends the program at
// once without closing events) or a termination signal comes; writes the
// tape's queued lines and returns the exit code.
int run(Form1 &window);

} // namespace ProgramStart

} // namespace hitungrama
