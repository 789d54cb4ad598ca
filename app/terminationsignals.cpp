#include "app/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace hitungrama::TerminationSignals {

namespace {

int writeEnd = -1;

extern "C" void onTermination(int)
{
    const char byte = 1;
    // Nothing to do when the pipe is full: the loop is already told.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

} // namespace

void quitOnTermination()
{
    if (writeEnd >= 0)
        return;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("hitungrama: no pipe for termination signals; they end the program at once");
        return;
    }
    writeEnd = ends[1];
    auto *notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [readEnd = ends[0]] {
        char bytes[16];
        while (::read(readEnd, bytes, sizeof bytes) > 0) {
        }
        // exit(), not quit(): quit() closes the windows one by one first, in
        // no set order, and the tape window closed before the main one would
        // be kept as closed by the user.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = onTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace hitungrama::TerminationSignals
