#pragma once

// The monkey test: random actions on the real window, driven through the
// harness's action runner. Each action comes from ActionGenerator and is
// performed and timed; then Qt's warnings, real dialogs, the window's
// invariants (WindowCheck) and the action's processor time are checked, and
// hangs end the run through HangWatchdog. ActionLog keeps the last actions
// for the failure report. When "OFF" is answered Yes the window is replaced
// by a fresh one.

#include "actiongenerator.h"
#include "actionlog.h"
#include "monkeytargets.h"

#include "harness/actionrunner.h"
#include "harness/recordingmessageboxservice.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace hitungrama {

class Form1;

class Monkey {
public:
    struct Options {
        static constexpr std::uint32_t kDefaultSeed = 20261206;

        std::uint32_t seed = kDefaultSeed;
        long long actions = 20000;
        int maxActionMs = 100;  // processor time of one action
        int settleMs = 2;       // how long each pointer move lets the hover timers run
        bool trace = false;     // print each action with its times
    };

    explicit Monkey(const Options &options);
    ~Monkey();

    Monkey(const Monkey &) = delete;
    Monkey &operator=(const Monkey &) = delete;

    // Runs every action; prints the summary or the failure report. Returns
    // the process exit code.
    int run();

private:
    // Wall time, this thread's processor time, and the time it was ready to
    // run but waited for a processor, in ms.
    struct Timing {
        double wallMs = 0;
        double cpuMs = 0;
        double queuedMs = 0;
    };
    struct Stats {
        double maxCpuMs = 0;
        double maxWallMs = 0;
        long long slowestIndex = -1;
        QString slowestLine;
        long long boxes = 0;
        long long beeps = 0;
        int windows = 0;
    };

    Timing perform(const MonkeyAction &action);
    QString check(const Timing &timing);
    void record(long long index, const MonkeyAction &action, const Timing &timing);
    QString reopenIfEnded();

    bool openWindow();
    void closeWindow();
    MonkeyTargets targets() const;

    Options m_options;
    ActionLog m_log;
    ActionGenerator m_generator;
    RecordingMessageBoxService m_boxes;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<ActionRunner> m_runner;
    Stats m_stats;
};

} // namespace hitungrama
