#pragma once

// The monkey test: random actions on the real window, driven through the
// replay harness's runner. Each action comes from ActionGenerator, is
// performed and timed, and each JSON line it yields goes through
// ReportCheck; Qt warnings, slow actions and hangs (HangWatchdog) fail the
// run too. ActionLog keeps the last actions for the failure report. When
// "OFF" is answered Yes the window is replaced by a fresh one.

#include "actiongenerator.h"
#include "actionlog.h"
#include "monkeyoptions.h"
#include "monkeytargets.h"

#include "harness/recordingmessageboxservice.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hitungrama {

class ActionRunner;
class Form1;
struct FormLayout;

class Monkey {
public:
    Monkey(const FormLayout &layout, const MonkeyOptions &options);
    ~Monkey();

    Monkey(const Monkey &) = delete;
    Monkey &operator=(const Monkey &) = delete;

    // Runs every action; prints the summary or the failure report. Returns
    // the process exit code.
    int run();

private:
    struct Stats {
        double maxMs = 0;
        long long slowestIndex = -1;
        QString slowestLine;
        long long boxes = 0;
        long long beeps = 0;
        int windows = 0;
    };

    void openWindow();
    void closeWindow();
    MonkeyTargets targets() const;
    QStringList perform(const MonkeyAction &action);
    QStringList clickPoint(const MonkeyAction &action);
    QString failure(const QString &reason) const;

    const FormLayout &m_layout;
    MonkeyOptions m_options;
    ActionLog m_log;
    ActionGenerator m_generator;
    RecordingMessageBoxService m_boxes;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<ActionRunner> m_runner;
    QString m_typed;
    int m_pointBeeps = 0;
    Stats m_stats;
};

} // namespace hitungrama
