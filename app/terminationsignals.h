#pragma once

namespace hitungrama::TerminationSignals {

// Makes SIGTERM (a desktop session's logout), SIGINT and SIGHUP end the
// event loop as closing the window does, so that the program ends through
// its normal path and writes what it still holds. A signal handler may do
// almost nothing, so it only writes a byte to a pipe that the event loop
// watches. Call once, after the QCoreApplication exists.
void quitOnTermination();

} // namespace hitungrama::TerminationSignals
